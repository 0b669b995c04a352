#include "outlook/local/model/item_object.h"
#include "outlook/local/store/file_time.h"
#include "outlook/local/store/recurrence_property.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/occurrences.h"

namespace outlook::local {

using namespace std::chrono;

namespace {

constexpr std::int32_t kMinutesPerDay = 24 * 60;

std::optional<local_seconds> localTime(const PropertyBag& props, mapi::PropTag tag) {
    const auto stored = props.time(tag);
    if (!stored) return std::nullopt;
    return LocalFromOleDate(oleDateFromFileTime(*stored));
}

void setLocalTime(PropertyBag& props, mapi::PropTag tag, local_seconds time) {
    props.set({tag, fileTimeFromOleDate(OleDateFromLocal(time_point_cast<milliseconds>(time)))});
}

minutes timeOfDay(local_seconds time) {
    return duration_cast<minutes>(time - floor<days>(time));
}

minutes endOfDay(minutes start, std::int32_t duration) {
    return minutes((start.count() + duration) % kMinutesPerDay);
}

[[noreturn]] void throwFault(const std::string& property) {
    throw AutomationError("'" + property + "' of the RecurrencePattern has a value that no " +
                          "repeat can have");
}

}  // namespace

bool ItemObject::canRepeat() const {
    return kind_ == ItemKind::Appointment || kind_ == ItemKind::Task;
}

std::optional<RecurrenceFields> ItemObject::recurrence() const {
    if (!canRepeat()) return std::nullopt;
    return storedRecurrence(*context_->store, record_.props);
}

RecurrenceFields ItemObject::defaultRecurrence() const {
    const KnownTags& known = context_->store->known();
    RecurrenceFields p;
    p.recurrenceType = olRecursWeekly;
    p.noEndDate = true;
    const auto start =
        localTime(record_.props, known[kind_ == ItemKind::Task ? Known::DueDate : Known::Start]);
    const local_seconds from = start ? *start : floor<days>(LocalFromOleDate(OleDateNow()));
    p.patternStartDate = floor<days>(from);
    p.dayOfWeekMask = 1 << weekday(p.patternStartDate).c_encoding();
    if (kind_ == ItemKind::Appointment && start) {
        p.startTime = timeOfDay(*start);
        p.duration = durationMinutes();
        p.endTime = endOfDay(p.startTime, p.duration);
    }
    return p;
}

void ItemObject::setRecurrence(const RecurrenceFields& pattern) {
    if (const auto fault = recurrenceFault(pattern, false)) throwFault(*fault);
    record_.props.setString(recurrenceTag(*context_->store), recurrenceText(pattern));
}

void ItemObject::clearRecurrence() {
    if (const auto tag = findRecurrenceTag(*context_->store)) record_.props.erase(*tag);
}

void ItemObject::followRecurrenceTimes() {
    if (kind_ != ItemKind::Appointment) return;
    auto pattern = recurrence();
    const auto start = localTime(record_.props, context_->store->known()[Known::Start]);
    if (!pattern || !start) return;
    pattern->startTime = timeOfDay(*start);
    pattern->duration = durationMinutes();
    pattern->endTime = endOfDay(pattern->startTime, pattern->duration);
    setRecurrence(*pattern);
}

void ItemObject::fitToRecurrence() {
    const auto pattern = recurrence();
    if (!pattern) return;
    if (const auto fault = recurrenceFault(*pattern, true)) throwFault(*fault);
    const auto first = FirstOccurrenceFrom(*pattern, pattern->patternStartDate);
    if (!first) throw AutomationError("The repeat has no occurrence: it ends before its first day");
    const KnownTags& known = context_->store->known();
    if (kind_ == ItemKind::Appointment) {
        const local_seconds start = *first + pattern->startTime;
        setLocalTime(record_.props, known[Known::Start], start);
        setLocalTime(record_.props, known[Known::End], start + minutes(pattern->duration));
        record_.props.setLong(known[Known::Duration], pattern->duration);
        return;
    }
    // A task is due on the occurrence it is at; one that is on none is due on the first.
    const auto due = localTime(record_.props, known[Known::DueDate]);
    if (due && floor<days>(*due) >= pattern->patternStartDate &&
        FirstOccurrenceFrom(*pattern, floor<days>(*due)) == floor<days>(*due))
        return;
    setLocalTime(record_.props, known[Known::DueDate],
                 *first + (due ? timeOfDay(*due) : minutes(0)));
}

}  // namespace outlook::local
