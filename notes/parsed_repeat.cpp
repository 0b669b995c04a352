// From the repeat the parser recognised to the RecurrencePattern an item is filed with.
#include "notes/parsed_repeat.h"

#include <algorithm>

#include "outlook/recurrence/occurrences.h"

namespace notes {
namespace {

using namespace std::chrono;
using outlook::RecurrenceFields;

constexpr minutes kWholeDay{24 * 60};
constexpr minutes kLastMinute{23 * 60 + 59};

std::int32_t littleEndian(const std::uint8_t (&bytes)[4]) {
    const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return static_cast<std::int32_t>(value);
}

std::int32_t dayBit(local_days day) {
    return 1 << weekday(day).c_encoding();
}

void setTimes(RecurrenceFields& fields, std::optional<RepeatTimes> times) {
    if (!times) {
        fields.duration = static_cast<std::int32_t>(kWholeDay.count());
        return;
    }
    fields.startTime = times->start;
    fields.endTime = times->end >= times->start ? times->end : kLastMinute;
    fields.duration = static_cast<std::int32_t>((fields.endTime - fields.startTime).count());
}

}  // namespace

std::optional<ParsedRepeat> RepeatOf(const TParseResults& result) {
    if (!result.isRecurring) return std::nullopt;
    if (result.recurUnit < ParsedRepeat::kDay || result.recurUnit > ParsedRepeat::kYear)
        return std::nullopt;
    ParsedRepeat repeat;
    repeat.unit = static_cast<ParsedRepeat::Unit>(result.recurUnit);
    // "every 0 days" would never move on; every repeat moves on by one unit at least.
    repeat.interval = std::max(littleEndian(result.recurInterval), 1);
    repeat.days = result.recurDays & 0x7F;
    repeat.nth = result.recurNth <= 5 ? result.recurNth : 0;
    return repeat;
}

RecurrenceFields PatternFor(const ParsedRepeat& repeat, local_days start, local_days from,
                            std::optional<RepeatTimes> times) {
    RecurrenceFields fields;
    fields.interval = repeat.interval;
    fields.patternStartDate = start;
    fields.noEndDate = true;
    const year_month_day date(start);
    switch (repeat.unit) {
        case ParsedRepeat::kDay:
            fields.recurrenceType = outlook::olRecursDaily;
            break;
        case ParsedRepeat::kWeek:
            fields.recurrenceType = outlook::olRecursWeekly;
            fields.dayOfWeekMask = repeat.days ? repeat.days : dayBit(start);
            break;
        case ParsedRepeat::kMonth:
            if (repeat.nth > 0 && repeat.days) {
                fields.recurrenceType = outlook::olRecursMonthNth;
                fields.instance = repeat.nth;
                fields.dayOfWeekMask = repeat.days;
            } else {
                fields.recurrenceType = outlook::olRecursMonthly;
                fields.dayOfMonth = static_cast<std::int32_t>(unsigned(date.day()));
            }
            break;
        case ParsedRepeat::kYear:
            fields.recurrenceType = outlook::olRecursYearly;
            fields.dayOfMonth = static_cast<std::int32_t>(unsigned(date.day()));
            fields.monthOfYear = static_cast<std::int32_t>(unsigned(date.month()));
            break;
    }
    setTimes(fields, times);
    if (const auto first = outlook::FirstOccurrenceFrom(fields, std::max(start, from)))
        fields.patternStartDate = *first;
    return fields;
}

}  // namespace notes
