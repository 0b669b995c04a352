#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "platform/registry.h"

namespace outlook::local {

class Store;

// `jotwise-store send-outbox`: delivers what waits in the Outbox and prints a line per item.
// `resend` also sends an item whose earlier hand-over was interrupted. 0 when nothing is
// left waiting, 4 when something is.
int sendOutbox(Store& store, platform::Registry& registry, std::optional<std::int64_t> resend,
               std::ostream& out);

// `jotwise-store mail`: how the profile sends mail.
void printMailSetup(platform::Registry& registry, std::ostream& out);

}  // namespace outlook::local
