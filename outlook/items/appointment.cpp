#include "outlook/items/appointment.h"

#include "outlook/object_model.h"

namespace outlook {
namespace {

// No text in the message table: the error box shows its fallback naming the id.
constexpr MessageId kReminderFailed = 54;

}  // namespace

MessageId TAppointment::Commit() {
    return Guarded(messages::kSaveFailed, [&] {
        Put("BusyStatus", olBusy);
        if (!hasRecipients) {
            Call("Save");
            return;
        }
        Put("MeetingStatus", olMeeting);
        Put("ResponseRequested", true);
        Call("Send");
    });
}

MessageId TAppointment::SetStart(OleDate start) {
    return Guarded(14, [&] { Put("Start", start); });
}

MessageId TAppointment::SetEnd(OleDate end) {
    return Guarded(13, [&] { Put("End", end); });
}

MessageId TAppointment::SetAllDayEvent(bool allDay) {
    return Guarded(11, [&] { Put("AllDayEvent", allDay); });
}

MessageId TAppointment::SetReminder(bool reminder) {
    return Guarded(kReminderFailed, [&] { Put("ReminderSet", reminder); });
}

MessageId TAppointment::SetRecurrence(const RecurrenceFields& fields) {
    return PutRecurrence(fields);
}

}  // namespace outlook
