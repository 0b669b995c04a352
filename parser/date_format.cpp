#include "date_format.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace sentex {
namespace {

constexpr std::size_t kMaxSeparatorLength = 7;

// Expands the composite conversions that stand for a whole date.
std::string expandComposites(std::string_view format) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char c = format[i + 1];
            if (c == 'D') {
                out += "%m/%d/%y";
                ++i;
                continue;
            }
            if (c == 'F') {
                out += "%Y-%m-%d";
                ++i;
                continue;
            }
            out += format[i];
            out += c;
            ++i;
            continue;
        }
        out += format[i];
    }
    return out;
}

}  // namespace

DateFormat DateFormat::fromStrftime(std::string_view rawFormat) {
    const std::string format = expandComposites(rawFormat);
    char fields[3];
    int count = 0;
    std::size_t firstEnd = 0, secondStart = 0;
    for (std::size_t i = 0; i < format.size() && count < 3; ++i) {
        if (format[i] != '%') continue;
        const std::size_t start = i++;
        // Flags, width and the E/O modifiers come between '%' and the conversion.
        while (i < format.size() &&
               std::string_view("-_0^#EO123456789").find(format[i]) != std::string_view::npos)
            ++i;
        if (i >= format.size()) break;
        char field = 0;
        switch (format[i]) {
            case 'd':
            case 'e':
                field = 'd';
                break;
            case 'm':
                field = 'm';
                break;
            case 'y':
            case 'Y':
                field = 'y';
                break;
            default:
                continue;
        }
        if (count == 0) firstEnd = i + 1;
        if (count == 1) secondStart = start;
        fields[count++] = field;
    }
    DateFormat result;
    if (count < 3) return result;
    const std::string_view order(fields, 3);
    if (order == "mdy")
        result.order = MonthDayYear;
    else if (order == "dmy")
        result.order = DayMonthYear;
    else if (order == "ymd")
        result.order = YearMonthDay;
    else
        return result;
    const std::string separator = format.substr(firstEnd, secondStart - firstEnd);
    if (separator.size() <= kMaxSeparatorLength) result.separator = separator;
    return result;
}

#if defined(_WIN32)
// The user's locale: LOCALE_IDATE is "0" for month-day-year, "1" for day-month-year and
// "2" for year-month-day; LOCALE_SDATE is the separator. Items that cannot be read keep
// month-day-year and "/".
DateFormat DateFormat::fromEnvironment() {
    DateFormat result;
    char item[16];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, item, sizeof item) > 0) {
        if (item[0] == '1') result.order = DayMonthYear;
        if (item[0] == '2') result.order = YearMonthDay;
    }
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, item, sizeof item);
    if (length > 0 && static_cast<std::size_t>(length) - 1 <= kMaxSeparatorLength)
        result.separator.assign(item, static_cast<std::size_t>(length) - 1);
    return result;
}
#else
DateFormat DateFormat::fromEnvironment() {
    locale_t locale = newlocale(LC_TIME_MASK, "", locale_t(0));
    if (!locale) locale = newlocale(LC_TIME_MASK, "C", locale_t(0));
    if (!locale) return DateFormat();
    const DateFormat result = fromStrftime(nl_langinfo_l(D_FMT, locale));
    freelocale(locale);
    return result;
}
#endif

}  // namespace sentex
