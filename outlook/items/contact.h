#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "outlook/items/data_item.h"
#include "outlook/mapi.h"

namespace outlook {

// An entry of the Outlook Contacts folder. Cached contacts hold no Outlook object; it is
// fetched by the contact's key when needed.
class TContact : public TDataItem {
public:
    struct Names {
        std::string fileAs, givenName, surname, company;
    };

    TContact() = default;
    explicit TContact(DispatchPtr object) : TDataItem(std::move(object)) {}
    TContact(std::string key, Names names, std::optional<mapi::Binary> originalEntryId = {});
    // A copy never takes the original entry id: it belongs to one contact only.
    TContact(const TContact& other);
    TContact& operator=(const TContact& other);

    // The key is the contact's entry id in upper-case hexadecimal.
    DispatchPtr GetObject() override;

    // "Given Surname", or whichever of given name, surname, company exists; computed once.
    const std::string& FullName() const;

    const std::string& Key() const { return key_; }
    const std::string& FileAs() const { return names_.fileAs; }
    const std::string& GivenName() const { return names_.givenName; }
    const std::string& Surname() const { return names_.surname; }
    const std::string& Company() const { return names_.company; }
    const std::optional<mapi::Binary>& OriginalEntryId() const { return originalEntryId_; }

    // Takes the names a refreshed row gives; the full name follows them.
    void SetNames(Names names);

    std::uint32_t seen = 0;

private:
    mutable std::string fullName_;
    std::string key_;
    Names names_;
    std::optional<mapi::Binary> originalEntryId_;
};

// The name a contact is listed under: "Surname, Given", or whichever part exists, or the
// company when neither name does.
std::string FileAsName(const std::string& givenName, const std::string& surname,
                       const std::string& company);

}  // namespace outlook
