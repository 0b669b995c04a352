#pragma once

#include <optional>

#include "outlook/local/store/folder_kind.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/property_bag.h"

namespace outlook::local {

class Store;

// An item in Deleted Items keeps the folder it was deleted from in a named property of its
// own (the folder's GetDefaultFolder number), so that a restore puts it back there. The store
// allocates the property's id when the first item is deleted, so a store that never deleted
// anything opens as it was.

// The property's tag, allocating its id when the store has none yet (a write).
mapi::PropTag deletedFromTag(Store& store);
// The property's tag; nothing while the store has never deleted an item.
std::optional<mapi::PropTag> findDeletedFromTag(Store& store);

// The folder the item was deleted from; nothing when the item does not say, or names no
// folder this store has.
std::optional<FolderKind> deletedFrom(Store& store, const PropertyBag& props);

// Where a restore puts an item of `kind`: the folder it was deleted from, else the kind's
// default folder.
FolderKind restoreFolder(Store& store, ItemKind kind, const PropertyBag& props);

}  // namespace outlook::local
