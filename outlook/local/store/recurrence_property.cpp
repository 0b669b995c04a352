#include "outlook/local/store/recurrence_property.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

#include "outlook/local/store/known_properties.h"
#include "outlook/local/store/store.h"
#include "outlook/recurrence/pattern_dates.h"

namespace outlook::local {

using namespace mapi;
using std::chrono::local_days;

namespace {

const char* const kRecurrencePattern = "Jotwise.RecurrencePattern";

constexpr std::int32_t kMinutesPerDay = 24 * 60;
constexpr std::int32_t kAllDays = 0x7F;
// Beyond these a repeat is surely a mistake, and libical would walk a long way to expand it.
constexpr std::int32_t kMostInterval = 999;
constexpr std::int32_t kMostOccurrences = 999;

bool knownType(std::int32_t type) {
    switch (type) {
        case olRecursDaily:
        case olRecursWeekly:
        case olRecursMonthly:
        case olRecursMonthNth:
        case olRecursYearly:
        case olRecursYearNth:
            return true;
        default:
            return false;
    }
}

bool between(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

std::optional<local_days> dateFrom(std::string_view text) {
    int y = 0;
    unsigned m = 0, d = 0;
    char rest = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%5d-%2u-%2u%c", &y, &m, &d, &rest) != 3) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(y) / m / d};
    if (!date.ok()) return std::nullopt;
    return local_days(date);
}

std::optional<std::int32_t> numberFrom(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Sets the field named `key` from `value`; false when the value does not parse. Keys this
// version does not know are skipped, so a later one may add fields.
bool readField(RecurrenceFields& p, std::string_view key, std::string_view value) {
    if (key == "PatternStartDate" || key == "PatternEndDate") {
        if (value.empty() && key == "PatternEndDate") return true;
        const auto day = dateFrom(value);
        if (!day) return false;
        (key == "PatternStartDate" ? p.patternStartDate : p.patternEndDate) = *day;
        return true;
    }
    constexpr std::string_view kNumbers[] = {
        "RecurrenceType", "Interval",    "DayOfWeekMask", "DayOfMonth", "Instance", "MonthOfYear",
        "NoEndDate",      "Occurrences", "StartTime",     "EndTime",    "Duration"};
    if (std::find(std::begin(kNumbers), std::end(kNumbers), key) == std::end(kNumbers)) return true;
    const auto number = numberFrom(value);
    if (!number) return false;
    if (key == "RecurrenceType")
        p.recurrenceType = static_cast<OlRecurrenceType>(*number);
    else if (key == "Interval")
        p.interval = *number;
    else if (key == "DayOfWeekMask")
        p.dayOfWeekMask = *number;
    else if (key == "DayOfMonth")
        p.dayOfMonth = *number;
    else if (key == "Instance")
        p.instance = *number;
    else if (key == "MonthOfYear")
        p.monthOfYear = *number;
    else if (key == "NoEndDate")
        p.noEndDate = *number != 0;
    else if (key == "Occurrences")
        p.occurrences = *number;
    else if (key == "StartTime")
        p.startTime = std::chrono::minutes(*number);
    else if (key == "EndTime")
        p.endTime = std::chrono::minutes(*number);
    else if (key == "Duration")
        p.duration = *number;
    return true;
}

}  // namespace

PropTag recurrenceTag(Store& store) {
    return store.namedTag(publicStringName(kRecurrencePattern), PT_STRING8);
}

std::optional<PropTag> findRecurrenceTag(Store& store) {
    return store.findNamedTag(publicStringName(kRecurrencePattern), PT_STRING8);
}

std::optional<RecurrenceFields> storedRecurrence(Store& store, const PropertyBag& props) {
    const auto tag = findRecurrenceTag(store);
    if (!tag || !props.has(*tag)) return std::nullopt;
    return recurrenceFromText(props.string(*tag));
}

std::string recurrenceText(const RecurrenceFields& p) {
    const bool hasEnd = !p.noEndDate && p.occurrences == 0;
    return "RecurrenceType=" + std::to_string(p.recurrenceType) +
           ";Interval=" + std::to_string(p.interval) +
           ";DayOfWeekMask=" + std::to_string(p.dayOfWeekMask) +
           ";DayOfMonth=" + std::to_string(p.dayOfMonth) +
           ";Instance=" + std::to_string(p.instance) +
           ";MonthOfYear=" + std::to_string(p.monthOfYear) +
           ";PatternStartDate=" + IsoDate(p.patternStartDate) +
           ";PatternEndDate=" + (hasEnd ? IsoDate(p.patternEndDate) : std::string()) +
           ";NoEndDate=" + (p.noEndDate ? "1" : "0") +
           ";Occurrences=" + std::to_string(p.occurrences) +
           ";StartTime=" + std::to_string(p.startTime.count()) +
           ";EndTime=" + std::to_string(p.endTime.count()) +
           ";Duration=" + std::to_string(p.duration);
}

std::optional<RecurrenceFields> recurrenceFromText(std::string_view text) {
    RecurrenceFields p;
    bool typed = false, started = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view field = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        const std::string_view key = field.substr(0, equals);
        if (!readField(p, key, field.substr(equals + 1))) return std::nullopt;
        typed = typed || key == "RecurrenceType";
        started = started || key == "PatternStartDate";
    }
    // What only a finished pattern must pass is checked when the item is saved; a pattern
    // being set up is kept between its settings in this form too.
    if (!typed || !started || recurrenceFault(p, false)) return std::nullopt;
    return p;
}

std::optional<std::string> recurrenceFault(const RecurrenceFields& p, bool whole) {
    const std::int32_t type = p.recurrenceType;
    const bool weekDays =
        type == olRecursWeekly || type == olRecursMonthNth || type == olRecursYearNth;
    const bool monthDay = type == olRecursMonthly || type == olRecursYearly;
    const bool nth = type == olRecursMonthNth || type == olRecursYearNth;
    const bool yearly = type == olRecursYearly || type == olRecursYearNth;
    if (!knownType(type)) return "RecurrenceType";
    if (!between(p.interval, 1, kMostInterval)) return "Interval";
    if ((p.dayOfWeekMask & ~kAllDays) != 0 || (weekDays && p.dayOfWeekMask == 0))
        return "DayOfWeekMask";
    if (!between(p.dayOfMonth, monthDay ? 1 : 0, 31)) return "DayOfMonth";
    if (!between(p.instance, nth ? 1 : 0, 5)) return "Instance";
    if (!between(p.monthOfYear, yearly ? 1 : 0, 12)) return "MonthOfYear";
    if (!p.noEndDate && !between(p.occurrences, 0, kMostOccurrences)) return "Occurrences";
    if (!p.noEndDate && p.occurrences == 0 && p.patternEndDate < p.patternStartDate)
        return "PatternEndDate";
    if (!between(static_cast<std::int32_t>(p.startTime.count()), 0, kMinutesPerDay - 1))
        return "StartTime";
    if (!between(static_cast<std::int32_t>(p.endTime.count()), 0, kMinutesPerDay - 1))
        return "EndTime";
    if (p.duration < 0) return "Duration";
    if (whole && type == olRecursYearly) {
        // 29 February comes every four years; 30 February never.
        const std::chrono::year_month_day latest{std::chrono::year(2000) / unsigned(p.monthOfYear) /
                                                 unsigned(p.dayOfMonth)};
        if (!latest.ok()) return "DayOfMonth";
    }
    return std::nullopt;
}

}  // namespace outlook::local
