#include "outlook/local/store/contact_origin.h"

#include "outlook/local/store/store.h"

namespace outlook::local {

using namespace mapi;

namespace {

const char* const kImportedUid = "Jotwise.ImportedUid";
const char* const kDesktopUid = "Jotwise.DesktopUid";
const char* const kDesktopRevision = "Jotwise.DesktopRevision";

}  // namespace

ContactOriginTags contactOriginTags(Store& store) {
    return {store.namedTag(publicStringName(kImportedUid), PT_STRING8),
            store.namedTag(publicStringName(kDesktopUid), PT_STRING8),
            store.namedTag(publicStringName(kDesktopRevision), PT_STRING8)};
}

ContactOriginTags findContactOriginTags(Store& store) {
    ContactOriginTags tags;
    const auto find = [&](const char* name) {
        return store.findNamedTag(publicStringName(name), PT_STRING8).value_or(0);
    };
    tags.importedUid = find(kImportedUid);
    tags.desktopUid = find(kDesktopUid);
    tags.desktopRevision = find(kDesktopRevision);
    return tags;
}

}  // namespace outlook::local
