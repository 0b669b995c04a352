#pragma once

#include "outlook/data_item.h"
#include "outlook/mapi.h"

namespace outlook {

class TMailingInfo;

// Which of a note's recipients AddRecipients adds; other bits are ignored.
enum RecipientKinds : int { kToRecipients = 1, kCcRecipients = 2 };

// An item that can go to recipients: saved while it has none, sent once it has some.
class TSendableItem : public TDataItem {
public:
    using TDataItem::TDataItem;

    MessageId Commit() override;
    // Adds the list's To and/or Cc entries as the item's recipients, each resolved by its
    // name or else by its "Name (E-mail)" form; Cc recipients get the type 2.
    virtual MessageId AddRecipients(TMailingInfo& recipients, int kinds);

    bool hasRecipients = false;

private:
    MessageId AddRecipientsOfType(const TMailingInfo& recipients, mapi::ULONG type,
                                  const DispatchPtr& itemRecipients);
};

class TMailMessage : public TSendableItem {
public:
    using TSendableItem::TSendableItem;
};

}  // namespace outlook
