#include "outlook/local/appointment_editor.h"

#include "outlook/object_model.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/pattern_properties.h"
#include "outlook/recurrence/recurrence_words.h"

namespace outlook::local {

using namespace std::chrono;

AppointmentEditor::AppointmentEditor(DispatchPtr item, DispatchPtr nameSpace)
    : ItemEditor(std::move(item), std::move(nameSpace)) {
    readAll();
}

std::string AppointmentEditor::kindName() const {
    return meeting_ ? "Meeting" : "Appointment";
}

std::int32_t AppointmentEditor::createType() const {
    return olAppointmentItem;
}

void AppointmentEditor::removeRepeat() {
    if (repeat_.empty()) return;
    repeat_.clear();
    removeRepeat_ = true;
}

bool AppointmentEditor::startSettled() {
    const auto before = joinLocal(settledStart_);
    const auto after = joinLocal(start);
    const auto last = joinLocal(end);
    if (!after) return false;
    settledStart_ = start;
    if (!before || !last || *after == *before) return false;
    const local_seconds moved = *last + (*after - *before);
    const DayAndTime shifted = splitLocal(moved);
    // An all-day item's end is its last day; the time it would show is left as it was.
    end.day = shifted.day;
    if (!allDay) end.time = shifted.time;
    return true;
}

void AppointmentEditor::readFields(Dispatch& item) {
    subject = item.get("Subject").asString();
    location = item.get("Location").asString();
    allDay = item.get("AllDayEvent").asBool();
    const auto from = localOf(item.get("Start"));
    const auto to = localOf(item.get("End"));
    const local_seconds now = LocalFromOleDate(OleDateNow());
    start = splitLocal(from.value_or(ceil<hours>(now)));
    end = splitLocal(to.value_or(from.value_or(ceil<hours>(now)) + minutes{30}));
    // An all-day item ends at midnight after its last day; the form shows that last day.
    if (allDay && to && from && *to > *from)
        end.day = year_month_day{floor<days>(*to - seconds{1})};
    settledStart_ = start;
    reminder = item.get("ReminderSet").asBool();
    reminderMinutes = item.get("ReminderMinutesBeforeStart").asInt();
    busyStatus = item.get("BusyStatus").asInt();
    meeting_ = item.get("MeetingStatus").asInt() != olNonMeeting;
    repeat_.clear();
    removeRepeat_ = false;
    if (item.get("IsRecurring").asBool()) {
        const DispatchPtr pattern = item.call("GetRecurrencePattern").asObject();
        repeat_ = DescribeRecurrence(GetRecurrencePattern(*pattern));
    }
}

std::variant<ItemEditor::Values, ItemEditor::Problem> AppointmentEditor::kindValues() const {
    local_seconds from{}, to{};
    if (allDay) {
        from = local_days{start.day};
        to = local_days{end.day} + days{1};
    } else {
        const auto first = joinLocal(start);
        if (!first) return Problem{unreadableTime("start time", start.time), "cbStartTime"};
        const auto last = joinLocal(end);
        if (!last) return Problem{unreadableTime("end time", end.time), "cbEndTime"};
        from = *first;
        to = *last;
    }
    if (to < from)
        return Problem{"The " + std::string(meeting_ ? "meeting" : "appointment") +
                           " ends before it starts. Set the end to the start or later.",
                       end.day == start.day ? "cbEndTime" : "dtEnd"};
    return Values{
        {"Subject", subject},
        {"Location", location},
        {"AllDayEvent", allDay},
        // The start first: the store moves the end with it, and the end then lands where
        // the user put it.
        {"Start", dateValue(from)},
        {"End", dateValue(to)},
        {"BusyStatus", busyStatus},
        {"ReminderSet", reminder},
        {"ReminderMinutesBeforeStart", reminderMinutes},
    };
}

void AppointmentEditor::beforeWrite(Dispatch& item) {
    if (removeRepeat_) item.call("ClearRecurrencePattern");
}

}  // namespace outlook::local
