#include "outlook/local/model/recurrence_pattern_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/store/file_time.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/occurrences.h"

namespace outlook::local {

using namespace std::chrono;

namespace {

constexpr const char* kObjectName = "RecurrencePattern";
constexpr std::int32_t kMinutesPerDay = 24 * 60;
// How far to look for the last day of a repeat that ends after a number of occurrences: the
// longest such repeat (999 times every 999 years) is cut short there.
constexpr days kCountedReach{200 * 366};

OleDate oleDay(local_days day) {
    return OleDateFromLocal(time_point_cast<milliseconds>(day));
}

// The object model keeps a time of day as that time on 30 December 1899.
OleDate oleTime(minutes time) {
    return OleDate{double(time.count()) / kMinutesPerDay};
}

minutes timeOfDay(OleDate date) {
    const local_seconds time = LocalFromOleDate(date);
    return duration_cast<minutes>(time - floor<days>(time));
}

std::int32_t weekdayBit(local_days day) {
    return 1 << weekday(day).c_encoding();
}

// The n-th such weekday of its month the day is; 5 (the last) from the 29th on.
std::int32_t instanceOf(local_days day) {
    const unsigned dayOfMonth = unsigned(year_month_day(day).day());
    return static_cast<std::int32_t>((dayOfMonth - 1) / 7 + 1);
}

// A pattern of `type` with that type's defaults for the pattern's start; the times and the
// end stay as they were.
RecurrenceFields withType(RecurrenceFields p, std::int32_t type) {
    const year_month_day start(p.patternStartDate);
    p.recurrenceType = static_cast<OlRecurrenceType>(type);
    p.interval = 1;
    p.dayOfWeekMask = p.dayOfMonth = p.instance = p.monthOfYear = 0;
    switch (type) {
        case olRecursWeekly:
            p.dayOfWeekMask = weekdayBit(p.patternStartDate);
            break;
        case olRecursMonthly:
            p.dayOfMonth = static_cast<std::int32_t>(unsigned(start.day()));
            break;
        case olRecursMonthNth:
            p.instance = instanceOf(p.patternStartDate);
            p.dayOfWeekMask = weekdayBit(p.patternStartDate);
            break;
        case olRecursYearly:
            p.dayOfMonth = static_cast<std::int32_t>(unsigned(start.day()));
            p.monthOfYear = static_cast<std::int32_t>(unsigned(start.month()));
            break;
        case olRecursYearNth:
            p.instance = instanceOf(p.patternStartDate);
            p.dayOfWeekMask = weekdayBit(p.patternStartDate);
            p.monthOfYear = static_cast<std::int32_t>(unsigned(start.month()));
            break;
        default:
            break;
    }
    return p;
}

// The last day of a repeat that has an end; the object model's "no date" for one that has
// none.
OleDate endDateOf(const RecurrenceFields& p) {
    if (p.noEndDate) return OleDate{kNoDateSerial};
    if (p.occurrences == 0) return oleDay(p.patternEndDate);
    const auto all = OccurrenceDays(p, p.patternStartDate, p.patternStartDate + kCountedReach);
    return all.empty() ? oleDay(p.patternStartDate) : oleDay(all.back());
}

Variant::Type typeOf(std::string_view property) {
    for (const char* date : {"PatternStartDate", "PatternEndDate", "StartTime", "EndTime"})
        if (isMember(property, date)) return Variant::Type::Date;
    if (isMember(property, "NoEndDate")) return Variant::Type::Bool;
    return Variant::Type::Int32;
}

const char* typeWord(Variant::Type type) {
    switch (type) {
        case Variant::Type::Date:
            return "a date";
        case Variant::Type::Bool:
            return "a boolean";
        default:
            return "an integer";
    }
}

constexpr const char* kProperties[] = {
    "RecurrenceType", "Interval",         "DayOfWeekMask",  "DayOfMonth", "Instance",
    "MonthOfYear",    "PatternStartDate", "PatternEndDate", "NoEndDate",  "Occurrences",
    "StartTime",      "EndTime",          "Duration"};

// The property's name as the object model spells it, or AutomationError.
const char* knownProperty(std::string_view property) {
    for (const char* name : kProperties)
        if (isMember(property, name)) return name;
    throwUnknownProperty(kObjectName, property);
}

}  // namespace

RecurrencePatternObject::RecurrencePatternObject(std::shared_ptr<ItemObject> item)
    : item_(std::move(item)) {}

Variant RecurrencePatternObject::getMember(std::string_view property) {
    const std::string name = knownProperty(property);
    const RecurrenceFields p = item_->recurrence().value_or(item_->defaultRecurrence());
    if (name == "RecurrenceType") return std::int32_t{p.recurrenceType};
    if (name == "Interval") return p.interval;
    if (name == "DayOfWeekMask") return p.dayOfWeekMask;
    if (name == "DayOfMonth") return p.dayOfMonth;
    if (name == "Instance") return p.instance;
    if (name == "MonthOfYear") return p.monthOfYear;
    if (name == "PatternStartDate") return oleDay(p.patternStartDate);
    if (name == "PatternEndDate") return endDateOf(p);
    if (name == "NoEndDate") return p.noEndDate;
    if (name == "Occurrences") return p.noEndDate ? 0 : p.occurrences;
    if (name == "StartTime") return oleTime(p.startTime);
    if (name == "EndTime") return oleTime(p.endTime);
    return p.duration;
}

void RecurrencePatternObject::putMember(std::string_view property, const Variant& value) {
    const std::string name = knownProperty(property);
    const Variant::Type expected = typeOf(name);
    if (value.type() != expected)
        throw AutomationError("Type mismatch: '" + name + "' expects " + typeWord(expected) +
                              ", got " + typeName(value.type()));
    RecurrenceFields p = item_->recurrence().value_or(item_->defaultRecurrence());
    const auto wholeDays = [](std::int32_t m) {
        return ((m % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
    };
    if (name == "RecurrenceType") {
        p = withType(p, value.asInt());
    } else if (name == "Interval") {
        p.interval = value.asInt();
    } else if (name == "DayOfWeekMask") {
        p.dayOfWeekMask = value.asInt();
    } else if (name == "DayOfMonth") {
        p.dayOfMonth = value.asInt();
    } else if (name == "Instance") {
        p.instance = value.asInt();
    } else if (name == "MonthOfYear") {
        p.monthOfYear = value.asInt();
    } else if (name == "PatternStartDate" || name == "PatternEndDate") {
        if (value.asDate().serial >= kNoDateSerial) {
            if (name == "PatternStartDate")
                throw AutomationError("'PatternStartDate' needs a date: a repeat has a start");
            p.noEndDate = true;
            p.occurrences = 0;
        } else if (name == "PatternStartDate") {
            p.patternStartDate = floor<days>(LocalFromOleDate(value.asDate()));
        } else {
            p.patternEndDate = floor<days>(LocalFromOleDate(value.asDate()));
            p.noEndDate = false;
            p.occurrences = 0;
        }
    } else if (name == "NoEndDate") {
        p.noEndDate = value.asBool();
        // A repeat that is to end and has no end yet ends as a new one in the object model
        // does: after ten times.
        if (!p.noEndDate && p.occurrences == 0 && p.patternEndDate < p.patternStartDate)
            p.occurrences = 10;
        if (p.noEndDate) p.occurrences = 0;
    } else if (name == "Occurrences") {
        if (value.asInt() < 1) throw AutomationError("'Occurrences' must be at least 1");
        p.occurrences = value.asInt();
        p.noEndDate = false;
    } else if (name == "StartTime") {
        p.startTime = timeOfDay(value.asDate());
        p.endTime = minutes(wholeDays(static_cast<std::int32_t>(p.startTime.count()) + p.duration));
    } else if (name == "EndTime") {
        p.endTime = timeOfDay(value.asDate());
        p.duration = wholeDays(static_cast<std::int32_t>((p.endTime - p.startTime).count()));
    } else {
        if (value.asInt() < 0) throw AutomationError("'Duration' cannot be negative");
        p.duration = value.asInt();
        p.endTime = minutes(wholeDays(static_cast<std::int32_t>(p.startTime.count()) + p.duration));
    }
    item_->setRecurrence(p);
}

Variant RecurrencePatternObject::callMethod(std::string_view method, const Arguments&) {
    throwUnknownMethod(kObjectName, method);
}

}  // namespace outlook::local
