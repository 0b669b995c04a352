#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outlook/local/store/contact_origin.h"

namespace outlook::local {

class Store;
struct ContactFields;

// What a contact is found by when the same contact is brought in again.
struct IndexedContact {
    std::int64_t id = 0;
    std::string name;   // the full name, else the company
    std::string email;  // the first e-mail address
    std::string importedUid, desktopUid, desktopRevision;
    bool deleted = false;  // in Deleted Items
};

// The contacts of Contacts, and the copies of the desktop's contacts in Deleted Items, read
// once so that a whole file or address book is matched without a query per card.
class ContactIndex {
public:
    ContactIndex(Store& store, const ContactOriginTags& tags);

    // Contacts in Contacts only; nullptr when none matches.
    IndexedContact* byImportedUid(const std::string& uid);
    IndexedContact* byDesktopUid(const std::string& uid);  // also in Deleted Items
    // The first contact with this full name (else company) and e-mail address, letter case
    // aside, in Contacts; an empty address matches a contact without one. `withImportedUid`
    // false leaves out contacts that were imported from a card with a UID.
    IndexedContact* byNameAndEmail(const std::string& name, const std::string& email,
                                   bool withImportedUid);

    void add(IndexedContact contact) { contacts_.push_back(std::move(contact)); }
    std::vector<IndexedContact>& contacts() { return contacts_; }

private:
    std::vector<IndexedContact> contacts_;
};

// The name a contact made from these fields is matched by: the full name, else "First
// Last", else the company.
std::string matchingName(const ContactFields& fields);

}  // namespace outlook::local
