#pragma once

#include <ostream>
#include <string>

#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/item_record.h"

namespace outlook::local {

class Store;

// "CLASS<TAB>TITLE[<TAB>DETAIL]": the title is the subject, a contact's name or a note's
// first line; the detail a contact's address, an appointment's start or a task's due
// date (local time).
std::string itemSummary(Store& store, const PropertyBag& props);

// Every property of an item, one per line ("TAG  TYPE  NAME  VALUE"), then its recipients
// and attachments. Named properties show their property set and name; a repeat is also
// given in words ("Repeats: every 2 weeks on Tuesday").
void listItem(Store& store, const ItemRecord& item, std::ostream& out);
void listAddressEntry(Store& store, const AddressEntry& entry, std::ostream& out);

}  // namespace outlook::local
