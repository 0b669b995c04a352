#pragma once

#include "messages/messages.h"
#include "outlook/automation.h"
#include "outlook/mapi.h"

namespace outlook {

// Where a sendable item takes its recipients from: a note's mailing info.
class RecipientSource {
public:
    virtual ~RecipientSource() = default;
    // Adds every entry of one recipient type (MAPI_TO or MAPI_CC) to an item's Recipients
    // collection; 0, or the message id of an entry that cannot be taken. Automation
    // failures reach the caller as AutomationError.
    virtual messages::MessageId AddEntriesTo(Dispatch& itemRecipients, mapi::ULONG type) const = 0;
};

}  // namespace outlook
