#pragma once

#include <memory>
#include <string>

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

// Saves contacts into the store's Contacts folder through the object model, so that they
// get the same derived names as contacts the program makes.
class ContactWriter {
public:
    explicit ContactWriter(std::shared_ptr<Store> store);
    // The new contact's entry id.
    mapi::EntryId add(const ContactFields& fields);

private:
    std::shared_ptr<Store> store_;
};

}  // namespace outlook::local
