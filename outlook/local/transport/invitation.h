#pragma once

#include <string>
#include <string_view>

#include "outlook/local/store/item_record.h"
#include "outlook/local/transport/outgoing_message.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::transport {

// The iCalendar object a meeting or task request carries by mail: the item's calendar as the
// mirror writes it, with METHOD:REQUEST, the appointment's or task's own `uid` (the request
// is a copy of it with an id of its own), the organizer, one attendee who is asked to answer
// per To (required) and Cc (optional) recipient with an address, and SEQUENCE:0. What only
// means something inside this store goes: links to its items and contacts, file paths, and
// the store's own X- properties. Repeating items keep their rule, local times and time zone.
//
// "" when the item is neither an appointment nor a task nor a request for one. Throws
// std::invalid_argument when the organizer has no usable address or `uid` is empty.
std::string requestCalendar(Store& store, const ItemRecord& request, std::string_view uid,
                            const MailAddress& organizer);

}  // namespace outlook::local::transport
