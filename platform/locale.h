#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// How the user writes a date in numbers: the order of the fields and what stands between them.
struct ShortDateFormat {
    DateOrder order = DateOrder::MonthDayYear;
    std::string separator = "/";

    bool operator==(const ShortDateFormat&) const = default;
};

// The short-date format of the environment's LC_TIME (LC_ALL, LC_TIME, LANG).
ShortDateFormat systemShortDateFormat();

// Reads a strftime date pattern such as "%d.%m.%Y" or "%-d/%-m/%y". An order that cannot
// be read gives MonthDayYear; a separator that cannot be read (missing, empty, longer than
// 7 bytes) gives "/".
ShortDateFormat shortDateFormatFromPattern(std::string_view d_fmt);

// The three numbers in the format's order, without zero padding, the year in full.
std::string formatShortDate(const ShortDateFormat& format, std::chrono::year_month_day date);

// Reads the three numbers in the format's order. Both separators must be the same: the
// format's own, "/", "-" or ".". Day and month take one or two digits; the year takes four,
// or one or two, which mean 2000-2049 for 0-49 and 1950-1999 for 50-99. Blanks around the
// text are ignored. Dates that do not exist give nullopt.
std::optional<std::chrono::year_month_day> parseShortDate(const ShortDateFormat& format,
                                                          std::string_view text);

// A time of day as a fraction of the day (one hour = 1/24). Accepts "21:30", "9:30pm",
// "9:30 PM", "9:30p", "9:05:10", "9pm", "12am" and the like, case-insensitively, with blanks
// around the text ignored; without am/pm the hour is 0-23, with it 1-12. As a last resort a
// whole hour 0-23, optionally followed by one ":", is that hour ("9", "9:").
std::optional<double> parseTimeOfDay(std::string_view text);

// "h:nnam" / "h:nnpm", rounded to the nearest minute; fractions outside [0, 1) wrap into the day.
std::string formatTimeOfDay(double dayFraction);

}  // namespace platform
