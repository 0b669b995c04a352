#pragma once

#include <cstdint>

namespace outlook::local {

enum class ChangeType { Added, Modified, Deleted };
enum class ChangeScope { Folder, AddressBook };

// One row added to, changed in or removed from a folder or the address book.
struct Change {
    ChangeScope scope = ChangeScope::Folder;
    ChangeType type = ChangeType::Modified;
    std::int64_t folder = 0;  // for folder changes
    std::int64_t row = 0;     // item id, or address book entry id
};

}  // namespace outlook::local
