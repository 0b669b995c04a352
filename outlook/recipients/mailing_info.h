#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "outlook/items/contact.h"
#include "outlook/items/recipient_source.h"
#include "outlook/mapi.h"

namespace outlook {

using messages::MessageId;

// The recipient a name makes in the current session: resolved by the name or else by its
// "Name (E-mail)" form, or, when neither resolves, the first one, unresolved. Automation
// failures reach the caller as AutomationError.
DispatchPtr ResolvedRecipient(const std::string& name);

// The recipients of one note: the entries picked in the address book, plus at most one
// entry for the contact the note's text names. Each entry carries a display name and a
// recipient type (To, Cc or Bcc).
class TMailingInfo : public RecipientSource {
public:
    // Makes the contact entry name the cached contact with this key, as a To or a Cc
    // recipient. A key that is not cached leaves the list as it is.
    MessageId SetContactRecipient(const std::string& key, bool asCopy);
    void RemoveContactRecipient();

    bool HasRecipients() const { return hasContact_ || !list_.empty(); }
    std::size_t RecipientCount() const { return list_.size(); }
    const mapi::ADRLIST& List() const { return list_; }
    // Takes the address dialog's result. The dialog may have moved, regrouped or dropped
    // the contact's entry, so it is found again by the contact's name; when the user
    // dropped it, the contact is forgotten until the next SetContactRecipient.
    void SetList(mapi::ADRLIST list);
    void Clear();

    // One contact, named by the entry's display name, per entry of the given type;
    // 39 when such an entry has no display name.
    MessageId CollectRecipients(mapi::ULONG type,
                                std::vector<std::unique_ptr<TContact>>& contacts) const;

    // Each collected contact becomes one recipient of the item, resolved by its name or
    // else by its "Name (E-mail)" form, or unresolved when neither resolves; Cc entries
    // become copy recipients.
    MessageId AddEntriesTo(Dispatch& itemRecipients, mapi::ULONG type) const override;

private:
    // The recorded contact entry, or -1 when there is none or the list no longer holds it.
    std::int32_t ContactIndex() const;
    // The entry naming the contact, of its recipient type if there are several; or -1.
    std::int32_t FindContactEntry() const;

    mapi::ADRLIST list_;
    TContact contact_;
    bool contactAsCopy_ = false;
    bool hasContact_ = false;
    std::int32_t contactIndex_ = -1;
};

}  // namespace outlook
