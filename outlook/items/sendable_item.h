#pragma once

#include "outlook/items/data_item.h"
#include "outlook/items/recipient_source.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook {

// Which of a note's recipients AddRecipients adds; other bits are ignored.
enum RecipientKinds : int { kToRecipients = 1, kCcRecipients = 2 };

// An item that can go to recipients: saved while it has none, sent once it has some.
class TSendableItem : public TDataItem {
public:
    using TDataItem::TDataItem;

    MessageId Commit() override;
    // Adds the source's To and/or Cc entries as the item's recipients. The item has
    // recipients once a kind was taken, even one without entries.
    virtual MessageId AddRecipients(const RecipientSource& recipients, int kinds);

    bool hasRecipients = false;

protected:
    // Asks the item for its RecurrencePattern and writes the fields into it, which makes the
    // item repeat.
    MessageId PutRecurrence(const RecurrenceFields& fields);
};

class TMailMessage : public TSendableItem {
public:
    using TSendableItem::TSendableItem;
};

}  // namespace outlook
