#include "outlook/items/contact.h"

#include "outlook/items/item_session.h"

namespace outlook {

TContact::TContact(std::string key, Names names, std::optional<mapi::Binary> originalEntryId)
    : key_(std::move(key)),
      names_(std::move(names)),
      originalEntryId_(std::move(originalEntryId)) {}

TContact::TContact(const TContact& other)
    : TDataItem(other), fullName_(other.fullName_), key_(other.key_), names_(other.names_) {}

TContact& TContact::operator=(const TContact& other) {
    if (this != &other) {
        TDataItem::operator=(other);
        fullName_ = other.fullName_;
        key_ = other.key_;
        names_ = other.names_;
    }
    return *this;
}

DispatchPtr TContact::GetObject() {
    // A contact made by the session's factory holds its new, maybe unsaved item; a cached
    // one holds nothing and is found by its key.
    if (object_) return object_;
    ItemSession* session = CurrentItemSession();
    if (!session || !session->MapiNamespace())
        throw AutomationError("There is no Outlook session to find the contact in");
    return session->MapiNamespace()->call("GetItemFromID", {key_}).asObject();
}

const std::string& TContact::FullName() const {
    if (fullName_.empty()) {
        if (names_.givenName.empty())
            fullName_ = names_.surname.empty() ? names_.company : names_.surname;
        else if (names_.surname.empty())
            fullName_ = names_.givenName;
        else
            fullName_ = names_.givenName + " " + names_.surname;
    }
    return fullName_;
}

void TContact::SetNames(Names names) {
    names_ = std::move(names);
    fullName_.clear();
}

std::string FileAsName(const std::string& givenName, const std::string& surname,
                       const std::string& company) {
    if (givenName.empty() && surname.empty()) return company;
    if (givenName.empty()) return surname;
    if (surname.empty()) return givenName;
    return surname + ", " + givenName;
}

}  // namespace outlook
