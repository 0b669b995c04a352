#pragma once

#include <memory>
#include <ostream>

#include "platform/registry.h"

namespace outlook::local {

class Store;

// jotwise-store desktop-contacts --sync: brings the desktop's address book (the one the
// desktop setting names, else the default) into Contacts once, and prints
// "N added, M updated, K removed". 0 when done, 1 when the book could not be read or the
// store not written.
int syncDesktopContactsOnce(const std::shared_ptr<Store>& store, platform::Registry* registry,
                            std::ostream& out, std::ostream& err);

}  // namespace outlook::local
