#include "platform/locale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace platform {
namespace {

using namespace std::chrono;
using enum DateOrder;

const ShortDateFormat kUs{MonthDayYear, "/"};
const ShortDateFormat kGerman{DayMonthYear, "."};
const ShortDateFormat kSwedish{YearMonthDay, "-"};

TEST(LocalePattern, ReadsOrderAndSeparatorOrFallsBack) {
    const std::pair<const char*, ShortDateFormat> cases[] = {
        {"%m/%d/%Y", kUs},
        {"%d.%m.%Y", kGerman},
        {"%Y-%m-%d", kSwedish},
        {"%D", kUs},
        {"%F", kSwedish},
        {"%e/%m/%y", {DayMonthYear, "/"}},
        {"%Od. %Om. %EY", {DayMonthYear, ". "}},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", {YearMonthDay, "\xE5\xB9\xB4"}},
        // Unreadable parts: the order falls back to month first, the separator to "/".
        {"", kUs},
        {"%H:%M", kUs},
        {"%Y%m%d", {YearMonthDay, "/"}},
        {"%d.%Y.%m", {MonthDayYear, "."}},
        {"%d -- -- -- %m %Y", {DayMonthYear, "/"}},
        {"%d%a%m.%Y", {DayMonthYear, "/"}}};
    for (const auto& [pattern, expected] : cases) {
        EXPECT_EQ(shortDateFormatFromPattern(pattern), expected) << pattern;
    }
}

TEST(LocalePattern, ReadsTheCLibrarysFlagsWidthsAndModifiers) {
    const std::pair<const char*, ShortDateFormat> cases[] = {
        {"%-d/%-m/%y", {DayMonthYear, "/"}},  // ca_ES and most *_IN locales
        {"%-d.%-m.%Y", kGerman},              // cs_CZ
        {"%Y-%-m-%-d", kSwedish},
        {"%_d %_m %Y", {DayMonthYear, " "}},
        {"%0e-%^m-%#Y", {DayMonthYear, "-"}},
        {"%2d.%02m.%4Y", kGerman},
        {"%-Od/%_Om/%Oy", {DayMonthYear, "/"}},
        {"%d.%-", kUs}};
    for (const auto& [pattern, expected] : cases) {
        EXPECT_EQ(shortDateFormatFromPattern(pattern), expected) << pattern;
    }
    // The parser writes "march 5 2027" day first under such a locale; the note reads it so.
    EXPECT_EQ(parseShortDate(shortDateFormatFromPattern("%-d/%-m/%y"), "5/3/2027"),
              2027y / March / 5d);
}

TEST(LocaleSystem, FollowsTheEnvironment) {
    std::pair<const char*, std::optional<std::string>> saved[] = {{"LC_ALL", {}}, {"LC_TIME", {}}};
    for (auto& [name, value] : saved) {
        if (const char* old = std::getenv(name)) value = old;
    }
    unsetenv("LC_TIME");
    for (const auto& [locale, expected] :
         {std::pair("en_US.UTF-8", kUs), {"de_DE.UTF-8", kGerman}, {"sv_SE.UTF-8", kSwedish}}) {
        setenv("LC_ALL", locale, 1);
        EXPECT_EQ(systemShortDateFormat(), expected) << locale;
    }
    unsetenv("LC_ALL");
    setenv("LC_TIME", "de_DE.UTF-8", 1);
    EXPECT_EQ(systemShortDateFormat(), kGerman);
    setenv("LC_TIME", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(systemShortDateFormat(), kUs);

    for (const auto& [name, value] : saved) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
}

TEST(LocaleShortDate, FormatsAndParsesBack) {
    EXPECT_EQ(formatShortDate(kUs, 2026y / December / 7d), "12/7/2026");
    EXPECT_EQ(formatShortDate(kGerman, 2026y / December / 7d), "7.12.2026");
    EXPECT_EQ(formatShortDate(kSwedish, 2026y / December / 7d), "2026-12-7");
    for (const auto& format : {kUs, kGerman, kSwedish, ShortDateFormat{DayMonthYear, ". "}}) {
        for (const year_month_day date : {2026y / December / 7d, 2024y / February / 29d}) {
            EXPECT_EQ(parseShortDate(format, formatShortDate(format, date)), date);
        }
    }
}

TEST(LocaleShortDate, AcceptsUsualVariants) {
    EXPECT_EQ(parseShortDate(kUs, " 03/07/2026\t"), 2026y / March / 7d);
    EXPECT_EQ(parseShortDate(kUs, "3-7-2026"), 2026y / March / 7d);
    EXPECT_EQ(parseShortDate(kGerman, "3/7/2026"), 2026y / July / 3d);
    EXPECT_EQ(parseShortDate(kSwedish, "2026.07.03"), 2026y / July / 3d);
    EXPECT_EQ(parseShortDate(kUs, "3/7/49"), 2049y / March / 7d);
    EXPECT_EQ(parseShortDate(kUs, "3/7/50"), 1950y / March / 7d);
    EXPECT_EQ(parseShortDate(kSwedish, "0-12-31"), 2000y / December / 31d);
}

TEST(LocaleShortDate, RejectsWhatIsNoDate) {
    for (const char* text : {"", "2/30/2026", "2/29/2025", "13/1/2026", "0/1/2026", "1/0/2026",
                             "1/1", "1/1/2026/1", "1/1/2026x", "1//2026", "1/1-2026", "1 1 2026",
                             "1/1/202", "1/1/20266", "1/1/0000", "001/1/2026", "+1/1/2026"}) {
        EXPECT_EQ(parseShortDate(kUs, text), std::nullopt) << text;
    }
}

double hours(double h, double m = 0, double s = 0) {
    return (h + m / 60 + s / 3600) / 24;
}

TEST(LocaleTimeOfDay, ParsesUsualNotations) {
    const std::pair<const char*, double> cases[] = {{"9:30", hours(9, 30)},
                                                    {"9:30pm", hours(21, 30)},
                                                    {"9:30 PM", hours(21, 30)},
                                                    {"9:30p", hours(21, 30)},
                                                    {"9:30A", hours(9, 30)},
                                                    {"21:30", hours(21, 30)},
                                                    {"9:05:10", hours(9, 5, 10)},
                                                    {"9pm", hours(21)},
                                                    {"12am", 0},
                                                    {"12:15am", hours(0, 15)},
                                                    {"12pm", hours(12)},
                                                    {"15:0", hours(15)},
                                                    {"23:59:59", hours(23, 59, 59)},
                                                    {"  07:45  ", hours(7, 45)},
                                                    {"9", hours(9)},
                                                    {"9:", hours(9)},
                                                    {"0", 0},
                                                    {"23", hours(23)}};
    for (const auto& [text, expected] : cases) {
        const auto parsed = parseTimeOfDay(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_NEAR(*parsed, expected, 1e-12) << text;
    }
    for (const char* text : {"", "  ", "24", "24:00", "9::", "9:60", "9:30:60", "13pm", "0am",
                             "9:30x", "9:3:", ":30", "9.30", "930pm", "9:300", "9 : 30", "123"}) {
        EXPECT_EQ(parseTimeOfDay(text), std::nullopt) << text;
    }
}

TEST(LocaleTimeOfDay, FormatsTwelveHourClockThatParsesBack) {
    EXPECT_EQ(formatTimeOfDay(hours(9)), "9:00am");
    EXPECT_EQ(formatTimeOfDay(hours(12, 30)), "12:30pm");
    EXPECT_EQ(formatTimeOfDay(0), "12:00am");
    EXPECT_EQ(formatTimeOfDay(hours(9, 29, 31)), "9:30am");
    EXPECT_EQ(formatTimeOfDay(hours(23, 59, 45)), "12:00am");
    EXPECT_EQ(formatTimeOfDay(hours(23, 30) + hours(1)), "12:30am");
    EXPECT_EQ(formatTimeOfDay(-hours(1)), "11:00pm");
    for (int minute = 0; minute < 24 * 60; minute += 7) {
        const auto parsed = parseTimeOfDay(formatTimeOfDay(minute / 1440.0));
        ASSERT_TRUE(parsed.has_value()) << minute;
        EXPECT_NEAR(*parsed * 1440, minute, 1e-6);
    }
}

}  // namespace
}  // namespace platform
