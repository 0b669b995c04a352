#pragma once

#include <string>

#include "outlook/local/store/property_bag.h"

namespace outlook::local {

// "First Last", or whichever part is there.
std::string autoFullName(const std::string& first, const std::string& last);
// "Last, First", or whichever part is there, else the company, else the full name.
std::string autoFileAs(const std::string& first, const std::string& last,
                       const std::string& company, const std::string& full);

// Sets one of a contact's name fields (PR_GIVEN_NAME, PR_SURNAME, PR_COMPANY_NAME or
// PR_DISPLAY_NAME, the full name) and keeps the derived ones sensible: the full name and
// the file-as name follow the parts while they still hold what the parts gave them (or
// nothing), and a full name set on a contact without name parts is split into them.
void setContactName(PropertyBag& props, mapi::PropTag fileAsTag, mapi::PropTag field,
                    const std::string& value);

}  // namespace outlook::local
