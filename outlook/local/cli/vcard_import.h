#pragma once

#include <memory>

#include "outlook/local/cli/contact_writer.h"
#include "outlook/local/contact_index.h"

namespace outlook::local {

class Store;
struct VCard;

// Brings cards into Contacts without making a contact twice:
// - a card with a UID updates the contact imported from a card with that UID, so that it
//   becomes what the card says;
// - else a card is the contact in Contacts with the same full name and e-mail address
//   (one that came from a card with another UID aside); that contact gains the card's
//   fields but keeps what the card leaves empty, as it may be one the user made;
// - a card that is a copy of the desktop's address book's contact is left to that address
//   book and skipped;
// - any other card is a new contact.
// Nothing is ever deleted. The caller runs the import in a transaction.
class VCardImport {
public:
    enum class Outcome { Added, Updated, Unchanged, KeptByDesktop };

    explicit VCardImport(std::shared_ptr<Store> store);
    Outcome import(const VCard& card);

private:
    std::shared_ptr<Store> store_;
    ContactOriginTags tags_;
    ContactIndex index_;
    ContactWriter writer_;
};

}  // namespace outlook::local
