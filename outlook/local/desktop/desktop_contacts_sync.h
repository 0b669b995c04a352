#pragma once

#include <memory>
#include <string>
#include <vector>

namespace outlook::local {
class Store;
}

namespace outlook::local::desktop {

struct ContactSyncCounts {
    int added = 0, updated = 0, removed = 0;
    int unusable = 0;  // cards without a UID or a name
};

// Makes the copies of the desktop's address book in Contacts what `cards` (each contact of the
// book as vCard text, all of them) say, in one transaction:
// - a card whose UID no copy has becomes a new contact marked with that UID, unless a contact
//   of the user's with the same name and e-mail address is there already;
// - a copy whose card changed since it was written is updated to it;
// - a copy in Contacts whose UID is no longer in the book is removed.
// Only contacts carrying a desktop UID are ever changed or removed: the user's own and
// imported ones are not. A copy the user moved to Deleted Items stays there.
ContactSyncCounts syncDesktopContacts(const std::shared_ptr<Store>& store,
                                      const std::vector<std::string>& cards);

// What a copy keeps of its card to tell whether it changed: a digest of the card's text.
std::string cardRevision(const std::string& card);

}  // namespace outlook::local::desktop
