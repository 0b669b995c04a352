#include "outlook/local/store/deleted_from_property.h"

#include "outlook/local/store/store.h"

namespace outlook::local {

using namespace mapi;

namespace {

const char* const kDeletedFrom = "Jotwise.DeletedFrom";

}  // namespace

PropTag deletedFromTag(Store& store) {
    return store.namedTag(publicStringName(kDeletedFrom), PT_LONG);
}

std::optional<PropTag> findDeletedFromTag(Store& store) {
    return store.findNamedTag(publicStringName(kDeletedFrom), PT_LONG);
}

std::optional<FolderKind> deletedFrom(Store& store, const PropertyBag& props) {
    const auto tag = findDeletedFromTag(store);
    if (!tag) return std::nullopt;
    const auto number = props.longValue(*tag);
    if (!number) return std::nullopt;
    return folderKindFromNumber(*number);
}

FolderKind restoreFolder(Store& store, ItemKind kind, const PropertyBag& props) {
    const auto from = deletedFrom(store, props);
    return from && *from != FolderKind::DeletedItems ? *from : defaultFolderOf(kind);
}

}  // namespace outlook::local
