#pragma once

#include "outlook/local/store/item_record.h"

namespace outlook::local {

class AddressBookData;

// Resolves a recipient by its name against the address book's mail users and lists and
// the contacts that have an e-mail address (display name, full name or address, ignoring
// case). Several entries with different addresses leave it unresolved; a name that is an
// e-mail address and matches no entry resolves to that address alone. Returns whether it
// is resolved; a resolved recipient gets the entry's name, address and entry id.
bool resolveRecipient(AddressBookData& book, RecipientRecord& recipient);

// Whether `text` has the shape of an SMTP address (local@domain.tld, no blanks).
bool looksLikeEmailAddress(std::string_view text);

}  // namespace outlook::local
