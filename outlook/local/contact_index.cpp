#include "outlook/local/contact_index.h"

#include "outlook/local/cli/contact_writer.h"
#include "outlook/local/model/contact_names.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/store.h"
#include "platform/text.h"

namespace outlook::local {

using namespace mapi;

namespace {

constexpr std::size_t kPage = 256;

}  // namespace

ContactIndex::ContactIndex(Store& store, const ContactOriginTags& tags) {
    const PropTag email = store.known()[Known::Email1Address];
    std::vector<ULONG> ids{PROP_ID(PR_MESSAGE_CLASS), PROP_ID(PR_DISPLAY_NAME),
                           PROP_ID(PR_COMPANY_NAME), PROP_ID(email)};
    for (const PropTag tag : {tags.importedUid, tags.desktopUid, tags.desktopRevision})
        if (tag) ids.push_back(PROP_ID(tag));
    const auto read = [&](const PropertyBag& props, PropTag tag) {
        return tag ? props.string(tag) : std::string();
    };
    for (const FolderKind kind : {FolderKind::Contacts, FolderKind::DeletedItems}) {
        const bool deleted = kind == FolderKind::DeletedItems;
        std::int64_t after = 0;
        for (;;) {
            const auto page = store.itemIdsAfter(store.folder(kind).id, after, kPage);
            if (page.empty()) break;
            after = page.back();
            for (const auto& [id, props] : store.loadProps(page, &ids)) {
                if (itemKindFromMessageClass(props.string(PR_MESSAGE_CLASS)) != ItemKind::Contact)
                    continue;
                IndexedContact contact;
                contact.id = id;
                contact.desktopUid = read(props, tags.desktopUid);
                // Of Deleted Items only the desktop's copies count: they stay deleted.
                if (deleted && contact.desktopUid.empty()) continue;
                contact.deleted = deleted;
                contact.name = props.string(PR_DISPLAY_NAME);
                if (contact.name.empty()) contact.name = props.string(PR_COMPANY_NAME);
                contact.email = props.string(email);
                contact.importedUid = read(props, tags.importedUid);
                contact.desktopRevision = read(props, tags.desktopRevision);
                contacts_.push_back(std::move(contact));
            }
        }
    }
}

IndexedContact* ContactIndex::byImportedUid(const std::string& uid) {
    if (uid.empty()) return nullptr;
    for (auto& contact : contacts_)
        if (!contact.deleted && contact.importedUid == uid) return &contact;
    return nullptr;
}

IndexedContact* ContactIndex::byDesktopUid(const std::string& uid) {
    if (uid.empty()) return nullptr;
    for (auto& contact : contacts_)
        if (contact.desktopUid == uid) return &contact;
    return nullptr;
}

IndexedContact* ContactIndex::byNameAndEmail(const std::string& name, const std::string& email,
                                             bool withImportedUid) {
    if (name.empty()) return nullptr;
    for (auto& contact : contacts_) {
        if (contact.deleted || (!withImportedUid && !contact.importedUid.empty())) continue;
        if (platform::equalsIgnoreCase(platform::trimmed(contact.name), platform::trimmed(name)) &&
            platform::equalsIgnoreCase(platform::trimmed(contact.email), platform::trimmed(email)))
            return &contact;
    }
    return nullptr;
}

std::string matchingName(const ContactFields& fields) {
    if (!fields.fullName.empty()) return fields.fullName;
    std::string name = autoFullName(fields.firstName, fields.lastName);
    return name.empty() ? fields.company : name;
}

}  // namespace outlook::local
