#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace outlook::local {

// One contact read from a vCard.
struct VCard {
    struct Address {
        std::string postOfficeBox, extended, street, locality, region, postalCode, country;
    };
    std::string givenName, familyName, formattedName, organization, title, email, note;
    std::string workPhone;
    std::string uid;       // UID: the card's own lasting identity, when it has one
    std::string revision;  // REV: when the card last changed, as the card says it
    bool hasWorkAddress = false;
    Address workAddress;
    int line = 0;  // where BEGIN:VCARD is
};

struct VCardProblem {
    int card = 0;  // counted from 1
    int line = 0;
    std::string reason;
};

struct VCardFile {
    std::vector<VCard> cards;
    std::vector<VCardProblem> problems;  // one per card skipped
};

// Reads every card of a vCard 2.1, 3.0 or 4.0 text: folded lines, quoted-printable values
// (with soft line breaks), backslash escapes, ISO-8859-1 or UTF-8 text (bytes that are not
// well-formed UTF-8 become U+FFFD). Of each card it keeps N, FN, ORG, TITLE, the preferred
// (else first) EMAIL, the first work TEL (else the first TEL without a type) as the work
// phone, the first work ADR, NOTE, UID and REV. A card that is not closed, has an
// unsupported version, bad quoted-printable text or no name at all is skipped and reported.
VCardFile readVCards(std::string_view text);

}  // namespace outlook::local
