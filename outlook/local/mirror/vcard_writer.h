#pragma once

#include <string>

#include "outlook/local/store/item_record.h"
#include "outlook/local/store/known_properties.h"

namespace outlook::local::mirror {

// The vCard 4.0 of a contact: UID, FN, N, ORG, TITLE, EMAIL, the business phone as a work
// TEL, the business address as a work ADR, NOTE (the body), CATEGORIES and REV (its last change, so
// that an unchanged contact gives the same text). Lines end in CRLF and are folded at 75 octets,
// never inside a UTF-8 character.
std::string vCardOf(const ItemRecord& contact, const KnownTags& known, const std::string& uid);

}  // namespace outlook::local::mirror
