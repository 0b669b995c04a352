#pragma once

#include <string>
#include <string_view>

namespace sentex {

// The short-date order and separator that dates are read and written in.
struct DateFormat {
    enum Order { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

    Order order = MonthDayYear;
    std::string separator = "/";

    // From a strftime date format such as "%m/%d/%y", "%d.%m.%Y" or "%F": the order of
    // the day, month and year fields and the text between the first two. A format
    // without three recognisable fields gives month-day-year with "/".
    static DateFormat fromStrftime(std::string_view format);
    // The date format of the environment's LC_TIME locale.
    static DateFormat fromEnvironment();
};

}  // namespace sentex
