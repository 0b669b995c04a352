#include "platform/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace {

constexpr std::size_t kMaxSeparatorLength = 7;
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Number {
    unsigned value;
    std::size_t digits;
};

// Reads a run of 1..maxDigits digits from the front of `text` and consumes it.
std::optional<Number> takeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t length = 0;
    while (length < text.size() && isDigit(text[length]))
        ++length;
    if (length == 0 || length > maxDigits) return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + length, value);
    text.remove_prefix(length);
    return Number{value, length};
}

bool takePrefix(std::string_view& text, std::string_view prefix) {
    if (prefix.empty() || !text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// ---- Short dates ----

enum class Field { Day, Month, Year };

// The pattern with the composite conversions spelled out.
std::string expandComposites(std::string_view pattern) {
    std::string expanded;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const char conversion = pattern[++i];
            if (conversion == 'D') {
                expanded += "%m/%d/%y";
            } else if (conversion == 'F') {
                expanded += "%Y-%m-%d";
            } else {
                expanded += '%';
                expanded += conversion;
            }
        } else {
            expanded += pattern[i];
        }
    }
    return expanded;
}

// Where the conversion character stands of the "%" sequence that goes on at `i`: after the
// C library's flags (%-d, %_m, %0e, %^b, %#b), a field width (%2d) and the era or
// alternative-digits modifier (%Ey, %Od), none of which changes which field it is. The
// pattern's size when the pattern ends first.
std::size_t conversionAt(std::string_view pattern, std::size_t i) {
    constexpr std::string_view kFlags = "_-0^#";
    while (i < pattern.size() && kFlags.find(pattern[i]) != std::string_view::npos)
        ++i;
    while (i < pattern.size() && isDigit(pattern[i]))
        ++i;
    if (i < pattern.size() && (pattern[i] == 'E' || pattern[i] == 'O')) ++i;
    return i;
}

std::optional<Field> fieldOf(char conversion) {
    switch (conversion) {
        case 'd':
        case 'e':
            return Field::Day;
        case 'm':
            return Field::Month;
        case 'y':
        case 'Y':
            return Field::Year;
        default:
            return std::nullopt;
    }
}

DateOrder orderOf(const std::vector<Field>& fields) {
    using enum Field;
    if (fields.size() < 3) return DateOrder::MonthDayYear;
    const std::array first{fields[0], fields[1], fields[2]};
    if (first == std::array{Day, Month, Year}) return DateOrder::DayMonthYear;
    if (first == std::array{Year, Month, Day}) return DateOrder::YearMonthDay;
    return DateOrder::MonthDayYear;
}

// Where day, month and year stand among the three numbers.
struct FieldPositions {
    std::size_t day;
    std::size_t month;
    std::size_t year;
};
FieldPositions positionsOf(DateOrder order) {
    switch (order) {
        case DateOrder::DayMonthYear:
            return {0, 1, 2};
        case DateOrder::YearMonthDay:
            return {2, 1, 0};
        case DateOrder::MonthDayYear:
            break;
    }
    return {1, 0, 2};
}

std::optional<int> fullYear(Number year) {
    if (year.digits <= 2)
        return static_cast<int>(year.value < 50 ? 2000 + year.value : 1900 + year.value);
    if (year.digits == 4 && year.value > 0) return static_cast<int>(year.value);
    return std::nullopt;
}

// ---- Times of day ----

constexpr double kSecondsPerDay = 24 * 60 * 60;

enum class Meridiem { None, Am, Pm };

std::optional<Meridiem> meridiemOf(std::string_view suffix) {
    std::string lower;
    for (char c : suffix)
        lower += lowerAscii(c);
    if (lower.empty()) return Meridiem::None;
    if (lower == "a" || lower == "am") return Meridiem::Am;
    if (lower == "p" || lower == "pm") return Meridiem::Pm;
    return std::nullopt;
}

// h[:mm[:ss]][ ][am|pm]; a bare hour needs am/pm here (the whole-hour fallback takes it otherwise).
std::optional<double> parseClockTime(std::string_view text) {
    const auto hour = takeNumber(text, 2);
    if (!hour) return std::nullopt;
    unsigned minutes = 0;
    unsigned seconds = 0;
    bool hasMinutes = false;
    if (takePrefix(text, ":")) {
        const auto m = takeNumber(text, 2);
        if (!m) return std::nullopt;
        minutes = m->value;
        hasMinutes = true;
        if (takePrefix(text, ":")) {
            const auto s = takeNumber(text, 2);
            if (!s) return std::nullopt;
            seconds = s->value;
        }
    }
    const auto meridiem = meridiemOf(trimmed(text));
    if (!meridiem || minutes > 59 || seconds > 59) return std::nullopt;
    unsigned hours = hour->value;
    if (*meridiem == Meridiem::None) {
        if (!hasMinutes || hours > 23) return std::nullopt;
    } else {
        if (hours < 1 || hours > 12) return std::nullopt;
        hours %= 12;
        if (*meridiem == Meridiem::Pm) hours += 12;
    }
    return (hours * 3600 + minutes * 60 + seconds) / kSecondsPerDay;
}

std::optional<double> parseWholeHour(std::string_view text) {
    if (text.ends_with(':')) text.remove_suffix(1);
    unsigned hour = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hour);
    if (error != std::errc{} || end != text.data() + text.size() || hour > 23) return std::nullopt;
    return hour * 3600 / kSecondsPerDay;
}

}  // namespace

ShortDateFormat shortDateFormatFromPattern(std::string_view d_fmt) {
    const std::string pattern = expandComposites(d_fmt);
    std::vector<Field> fields;
    std::string separator;
    bool separatorReadable = true;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool betweenFirstTwo = fields.size() == 1;
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            if (betweenFirstTwo) separator += pattern[i];
            continue;
        }
        i = conversionAt(pattern, i + 1);
        if (i == pattern.size()) {
            if (betweenFirstTwo) separatorReadable = false;
            break;
        }
        const char conversion = pattern[i];
        if (const auto field = fieldOf(conversion)) {
            fields.push_back(*field);
        } else if (betweenFirstTwo) {
            if (conversion == '%') {
                separator += '%';
            } else {
                separatorReadable = false;
            }
        }
    }
    ShortDateFormat format;
    format.order = orderOf(fields);
    if (fields.size() >= 2 && separatorReadable && !separator.empty() &&
        separator.size() <= kMaxSeparatorLength) {
        format.separator = separator;
    }
    return format;
}

ShortDateFormat systemShortDateFormat() {
    const locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return {};
    const ShortDateFormat format = shortDateFormatFromPattern(nl_langinfo_l(D_FMT, locale));
    freelocale(locale);
    return format;
}

std::string formatShortDate(const ShortDateFormat& format, std::chrono::year_month_day date) {
    const FieldPositions positions = positionsOf(format.order);
    std::array<std::string, 3> fields;
    fields[positions.day] = std::to_string(static_cast<unsigned>(date.day()));
    fields[positions.month] = std::to_string(static_cast<unsigned>(date.month()));
    fields[positions.year] = std::to_string(static_cast<int>(date.year()));
    return fields[0] + format.separator + fields[1] + format.separator + fields[2];
}

std::optional<std::chrono::year_month_day> parseShortDate(const ShortDateFormat& format,
                                                          std::string_view text) {
    const FieldPositions positions = positionsOf(format.order);
    text = trimmed(text);
    std::array<Number, 3> numbers{};
    std::string_view separator;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i == 1) {
            for (const std::string_view candidate :
                 {std::string_view(format.separator), std::string_view("/"), std::string_view("-"),
                  std::string_view(".")}) {
                if (takePrefix(text, candidate)) {
                    separator = candidate;
                    break;
                }
            }
            if (separator.empty()) return std::nullopt;
        } else if (i == 2 && !takePrefix(text, separator)) {
            return std::nullopt;
        }
        const auto number = takeNumber(text, i == positions.year ? 4 : 2);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    const auto year = fullYear(numbers[positions.year]);
    if (!text.empty() || !year) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{numbers[positions.month].value},
                                           std::chrono::day{numbers[positions.day].value}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::optional<double> parseTimeOfDay(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return std::nullopt;
    if (const auto time = parseClockTime(text)) return time;
    return parseWholeHour(text);
}

std::string formatTimeOfDay(double dayFraction) {
    constexpr long long kMinutesPerDay = 24 * 60;
    if (!std::isfinite(dayFraction)) dayFraction = 0;
    const double withinDay = dayFraction - std::floor(dayFraction);
    const long long minutes = std::llround(withinDay * kMinutesPerDay) % kMinutesPerDay;
    const long long hour = minutes / 60;
    const long long minute = minutes % 60;
    const long long clockHour = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(clockHour) + (minute < 10 ? ":0" : ":") + std::to_string(minute) +
           (hour < 12 ? "am" : "pm");
}

}  // namespace platform
