#pragma once

#include <optional>

#include "outlook/local/store/property_bag.h"

namespace outlook::local {

class Store;

// Where a contact came from, kept on it as named properties of this program's own, so that
// bringing the same contact in again finds it instead of making a second one:
// - importedUid: the UID of the vCard it was imported from;
// - desktopUid: the UID of the contact in the desktop's address book it is a copy of (only
//   these are ever changed or removed by following that address book);
// - desktopRevision: what that contact's card was when the copy was last written.
// The store allocates their ids on first use, so a store that never imported a card opens as
// it was. A tag is 0 where the store has no id for it yet.
struct ContactOriginTags {
    mapi::PropTag importedUid = 0;
    mapi::PropTag desktopUid = 0;
    mapi::PropTag desktopRevision = 0;
};

// The tags, allocating their ids when the store has none yet (a write).
ContactOriginTags contactOriginTags(Store& store);
// The tags the store has ids for; the others 0 (a read).
ContactOriginTags findContactOriginTags(Store& store);

}  // namespace outlook::local
