#pragma once

#include "outlook/items/sendable_item.h"

namespace outlook {

// An Outlook appointment; with recipients it is sent as a meeting request.
class TAppointment : public TSendableItem {
public:
    using TSendableItem::TSendableItem;

    MessageId Commit() override;
    MessageId SetStart(OleDate start);
    MessageId SetEnd(OleDate end);
    MessageId SetAllDayEvent(bool allDay);
    MessageId SetReminder(bool reminder);
    // Makes the appointment repeat; its pattern's times win over Start and End.
    MessageId SetRecurrence(const RecurrenceFields& fields);
};

}  // namespace outlook
