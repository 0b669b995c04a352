#pragma once

#include <optional>
#include <string>

#include "outlook/local/store/item_record.h"
#include "outlook/local/transport/mail_setup.h"
#include "outlook/local/transport/outgoing_message.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::transport {

// The message an Outbox item goes out as: a mail message plain, a meeting or task request
// with its invitation. Nothing, with `problem` saying why, when it cannot go as it is (a
// recipient without an e-mail address, an attached file that cannot be read, an invitation
// without a sender to name as its organizer).
std::optional<OutgoingMessage> outgoingMessage(Store& store, const ItemRecord& item,
                                               const MailSetup& setup, std::string& problem);

// The name written beside a recipient's address: the address book's "Ann Lee (E-mail)" is
// "Ann Lee", which a mail header would otherwise read as a name and a comment.
std::string personalName(const RecipientRecord& recipient);

// A new Message-ID ("<...@domain>"), on the sender's domain when there is one.
std::string newMessageId(const std::optional<MailAddress>& from);

}  // namespace outlook::local::transport
