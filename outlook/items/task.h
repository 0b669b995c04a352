#pragma once

#include "outlook/items/sendable_item.h"

namespace outlook {

// An Outlook task; with recipients it is assigned as a task request.
class TTask : public TSendableItem {
public:
    using TSendableItem::TSendableItem;

    // With recipients added, the task is assigned to them as a task request.
    MessageId AddRecipients(const RecipientSource& recipients, int kinds) override;

    MessageId SetDueDate(OleDate date);
    // A duration as an automation date: only its time of day counts, in whole minutes.
    MessageId SetTotalWork(double duration);
    MessageId SetContacts(const std::string& names);
    MessageId SetCompanies(const std::string& names);
    // Makes the task repeat from its due date.
    MessageId SetRecurrence(const RecurrenceFields& fields);
};

// The minutes of work a duration's time of day stands for (days and seconds not counted).
std::int32_t TotalWorkMinutes(double duration);

}  // namespace outlook
