#include "outlook/recurrence/pattern_properties.h"

#include "outlook/ole_date.h"

namespace outlook {
namespace {

using std::chrono::local_days;
using std::chrono::minutes;

constexpr double kMinutesPerDay = 24 * 60;

OleDate oleDay(local_days day) {
    return OleDateFromLocal(std::chrono::time_point_cast<std::chrono::milliseconds>(day));
}

local_days dayOf(OleDate date) {
    return std::chrono::floor<std::chrono::days>(LocalFromOleDate(date));
}

// The object model keeps a time of day as a date on 30 December 1899.
OleDate oleTime(minutes time) {
    return OleDate{double(time.count()) / kMinutesPerDay};
}

minutes timeOf(OleDate date) {
    const auto time = LocalFromOleDate(date);
    return std::chrono::duration_cast<minutes>(time - std::chrono::floor<std::chrono::days>(time));
}

}  // namespace

void PutRecurrencePattern(Dispatch& pattern, const RecurrenceFields& f) {
    pattern.put("RecurrenceType", std::int32_t{f.recurrenceType});
    pattern.put("PatternStartDate", oleDay(f.patternStartDate));
    pattern.put("Interval", f.interval);
    pattern.put("DayOfWeekMask", f.dayOfWeekMask);
    pattern.put("DayOfMonth", f.dayOfMonth);
    pattern.put("Instance", f.instance);
    pattern.put("MonthOfYear", f.monthOfYear);
    pattern.put("StartTime", oleTime(f.startTime));
    pattern.put("EndTime", oleTime(f.endTime));
    pattern.put("Duration", f.duration);
    if (f.noEndDate) {
        pattern.put("NoEndDate", true);
    } else if (f.occurrences > 0) {
        pattern.put("Occurrences", f.occurrences);
    } else {
        pattern.put("PatternEndDate", oleDay(f.patternEndDate));
    }
}

RecurrenceFields GetRecurrencePattern(Dispatch& pattern) {
    RecurrenceFields f;
    f.recurrenceType = static_cast<OlRecurrenceType>(pattern.get("RecurrenceType").asInt());
    f.interval = pattern.get("Interval").asInt();
    f.dayOfWeekMask = pattern.get("DayOfWeekMask").asInt();
    f.dayOfMonth = pattern.get("DayOfMonth").asInt();
    f.instance = pattern.get("Instance").asInt();
    f.monthOfYear = pattern.get("MonthOfYear").asInt();
    f.patternStartDate = dayOf(pattern.get("PatternStartDate").asDate());
    f.patternEndDate = dayOf(pattern.get("PatternEndDate").asDate());
    f.noEndDate = pattern.get("NoEndDate").asBool();
    f.occurrences = pattern.get("Occurrences").asInt();
    f.startTime = timeOf(pattern.get("StartTime").asDate());
    f.endTime = timeOf(pattern.get("EndTime").asDate());
    f.duration = pattern.get("Duration").asInt();
    return f;
}

}  // namespace outlook
