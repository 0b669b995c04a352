#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "outlook/mapi.h"

namespace outlook::local {

class Store;
struct VCard;

struct ContactFields {
    std::string firstName, lastName, fullName, fileAs, company, email, phone;
    std::string street, city, state, postalCode, country, postOfficeBox;
    std::string note;
};

ContactFields contactFieldsOf(const VCard& card);

// How an update treats a field the new values leave empty.
enum class EmptyField {
    // Clears the contact's (the values are all there is of the contact, as with a card it
    // was made from). Name fields are never cleared: the full and file-as names follow the
    // parts that are there.
    Clears,
    // Keeps the contact's, and its names too: the values only add to a contact someone else
    // keeps.
    Keeps,
};

// String properties (named ones, such as where the contact came from) a save writes too.
using ContactMarks = std::vector<std::pair<mapi::PropTag, std::string>>;

// Saves contacts into the store's Contacts folder through the object model, so that they
// get the same derived names as contacts the program makes.
class ContactWriter {
public:
    explicit ContactWriter(std::shared_ptr<Store> store);
    // The new contact's entry id.
    mapi::EntryId add(const ContactFields& fields, const ContactMarks& marks = {});
    // Writes the fields and marks that differ from the saved contact `item`'s, in one
    // transaction; true when anything did (nothing is written otherwise).
    bool update(std::int64_t item, const ContactFields& fields, EmptyField empty,
                const ContactMarks& marks = {});
    // Writes the marks that differ from the saved contact's; true when any did.
    bool mark(std::int64_t item, const ContactMarks& marks);

private:
    std::shared_ptr<Store> store_;
};

}  // namespace outlook::local
