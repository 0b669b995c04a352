#pragma once

#include <memory>
#include <optional>
#include <string>

#include "outlook/items/contact.h"
#include "outlook/mapi.h"

namespace outlook {

// A contact as a row of the Contacts table describes it: its key (the entry id in hex), its
// names and the id of its address book entry.
struct ContactRow {
    std::string key;
    TContact::Names names;
    std::optional<mapi::Binary> originalEntryId;

    // Columns are found by tag; a column of an unexpected type counts as absent.
    explicit ContactRow(const mapi::Row& row);
    // Names given; the name it is filed as follows from them.
    ContactRow(std::string key, std::string givenName, std::string surname, std::string company,
               std::optional<mapi::Binary> originalEntryId);

    std::unique_ptr<TContact> makeContact() const {
        return std::make_unique<TContact>(key, names, originalEntryId);
    }
};

}  // namespace outlook
