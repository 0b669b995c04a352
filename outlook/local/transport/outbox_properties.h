#pragma once

#include <optional>
#include <string>

#include "outlook/local/store/property_bag.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::transport {

// What the transport keeps on an item in the Outbox, as named properties. The store
// allocates their ids when the first item is sent, so a store that never sent anything
// opens as it was.
struct OutboxTags {
    // When the message was handed to the mail command; kept until the command has answered,
    // so that finding it later means the hand-over was interrupted.
    mapi::PropTag handedOver = 0;
    // Why the item is still waiting, in words.
    mapi::PropTag problem = 0;
    // On a meeting or task request: the UID of the appointment or task it invites to.
    mapi::PropTag calendarUid = 0;
};

// The tags, allocating their ids when the store has none yet (a write).
OutboxTags outboxTags(Store& store);

// Why an Outbox item has not gone out yet; nothing when nobody said (not tried yet).
std::optional<std::string> waitingReason(Store& store, const PropertyBag& props);

}  // namespace outlook::local::transport
