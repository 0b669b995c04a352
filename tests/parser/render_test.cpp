// How a parse is written into the result: the date in the locale's short-date order,
// times, the recurrence bytes, and the trace line.
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

TEST(DateFormatTest, ReadsOrderAndSeparatorFromStrftimeFormats) {
    struct Case {
        const char* format;
        DateFormat::Order order;
        const char* separator;
    };
    const Case cases[] = {
        {"%m/%d/%y", DateFormat::MonthDayYear, "/"},
        {"%D", DateFormat::MonthDayYear, "/"},
        {"%d.%m.%Y", DateFormat::DayMonthYear, "."},
        {"%Y-%m-%d", DateFormat::YearMonthDay, "-"},
        {"%F", DateFormat::YearMonthDay, "-"},
        {"%e/%m/%Ey", DateFormat::DayMonthYear, "/"},
        {"%d. %m. %Y", DateFormat::DayMonthYear, ". "},
        // The C library's flags, widths and modifiers.
        {"%-d/%-m/%y", DateFormat::DayMonthYear, "/"},
        {"%_d %_m %Y", DateFormat::DayMonthYear, " "},
        {"%0e-%^m-%#Y", DateFormat::DayMonthYear, "-"},
        {"%2d.%02m.%4Y", DateFormat::DayMonthYear, "."},
        {"%-Od/%_Om/%Oy", DateFormat::DayMonthYear, "/"},
        // Nothing recognisable: month-day-year with "/".
        {"", DateFormat::MonthDayYear, "/"},
        {"%d %B", DateFormat::MonthDayYear, "/"},
        {"%y/%d/%m", DateFormat::MonthDayYear, "/"},
    };
    for (const Case& c : cases) {
        const DateFormat f = DateFormat::fromStrftime(c.format);
        EXPECT_EQ(f.order, c.order) << c.format;
        EXPECT_EQ(f.separator, c.separator) << c.format;
    }
}

TEST(DateFormatTest, FollowsTheEnvironmentsTimeLocale) {
    struct Case {
        const char* locale;
        DateFormat::Order order;
        const char* separator;
    };
    const Case cases[] = {{"C.UTF-8", DateFormat::MonthDayYear, "/"},
                          {"en_US.UTF-8", DateFormat::MonthDayYear, "/"},
                          {"de_DE.UTF-8", DateFormat::DayMonthYear, "."},
                          {"sv_SE.UTF-8", DateFormat::YearMonthDay, "-"},
                          {"xx_NOWHERE.UTF-8", DateFormat::MonthDayYear, "/"}};
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    for (const Case& c : cases) {
        setenv("LC_ALL", c.locale, 1);
        const DateFormat f = DateFormat::fromEnvironment();
        EXPECT_EQ(f.order, c.order) << c.locale;
        EXPECT_EQ(f.separator, c.separator) << c.locale;
    }
    if (saved)
        setenv("LC_ALL", previous.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

TEST_F(ParseTest, DateFollowsTheShortDateOrder) {
    // 3 March 1998 written in each order: the text is read and written the same way.
    state.environment.dateFormat = {DateFormat::MonthDayYear, "/"};
    EXPECT_EQ(date("3/4/1998"), "3/4/1998");
    state.environment.dateFormat = {DateFormat::DayMonthYear, "."};
    EXPECT_EQ(date("3/4/1998"), "3.4.1998");
    EXPECT_EQ(date("march 3 1998"), "3.3.1998");
    state.environment.dateFormat = {DateFormat::YearMonthDay, "-"};
    EXPECT_EQ(date("1998-3-4"), "1998-3-4");
    EXPECT_EQ(date("march 3 1998"), "1998-3-3");
}

TEST_F(ParseTest, TimesAreHourColonMinuteWithoutPadding) {
    const TParseResults r = parse("9:05 to 14:30");
    EXPECT_STREQ(r.startTime, "9:5");
    EXPECT_STREQ(r.endTime, "14:30");
    EXPECT_STREQ(parse("12am").startTime, "0:0");
}

TEST_F(ParseTest, NoteWithoutFindingsIsAllEmpty) {
    TParseResults r;
    std::memset(&r, 0x7f, sizeof r);
    parseNote(state, "buy milk", ParseMode::Full, reinterpret_cast<char*>(&r));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (std::size_t i = 0; i < sizeof r; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST_F(ParseTest, RecurrenceBytesAndLittleEndianInterval) {
    const TParseResults r = parse("every 300 days");
    EXPECT_EQ(r.isRecurring, 1);
    EXPECT_EQ(r.recurUnit, 1);
    EXPECT_EQ(r.recurInterval[0], 300 & 0xff);
    EXPECT_EQ(r.recurInterval[1], 300 >> 8);
    EXPECT_EQ(r.recurInterval[2], 0);
    EXPECT_EQ(r.recurInterval[3], 0);
    EXPECT_EQ(r.reserved, 0);
    EXPECT_STREQ(r.spare, "");
}

TEST_F(ParseTest, TraceWritesTheDateOfAFullParseOnly) {
    state.environment.trace = true;
    ::testing::internal::CaptureStderr();
    parse("tomorrow");
    parse("the 31st of every month");  // shown as the 28th: not traced
    parse("no date here");
    TParseResults r;
    parseNote(state, "friday", ParseMode::DatesOnly, reinterpret_cast<char*>(&r));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "4/16/1998\n");
}

}  // namespace
}  // namespace sentex::testing
