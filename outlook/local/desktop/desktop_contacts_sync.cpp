#include "outlook/local/desktop/desktop_contacts_sync.h"

#include <cstdint>
#include <cstdio>
#include <set>

#include "outlook/local/cli/contact_writer.h"
#include "outlook/local/cli/vcard_reader.h"
#include "outlook/local/contact_index.h"
#include "outlook/local/store/store.h"

namespace outlook::local::desktop {

std::string cardRevision(const std::string& card) {
    // FNV-1a: the card's REV alone has whole seconds, and two changes within one second
    // would look like one.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const unsigned char c : card) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

ContactSyncCounts syncDesktopContacts(const std::shared_ptr<Store>& store,
                                      const std::vector<std::string>& cards) {
    ContactSyncCounts counts;
    store->transact([&] {
        counts = {};
        const ContactOriginTags tags = contactOriginTags(*store);
        ContactIndex index(*store, tags);
        ContactWriter writer(store);
        std::set<std::string> inBook;
        for (const std::string& text : cards) {
            const VCardFile file = readVCards(text);
            if (file.cards.size() != 1 || file.cards[0].uid.empty()) {
                ++counts.unusable;
                continue;
            }
            const VCard& card = file.cards[0];
            if (!inBook.insert(card.uid).second) continue;
            const ContactFields fields = contactFieldsOf(card);
            const std::string revision = cardRevision(text);
            const ContactMarks marks{{tags.desktopUid, card.uid}, {tags.desktopRevision, revision}};
            if (IndexedContact* copy = index.byDesktopUid(card.uid)) {
                if (copy->deleted || copy->desktopRevision == revision) continue;
                // The revision is written even when the fields stay as they were (a change of
                // something a contact here does not keep), so that it is not compared again.
                if (writer.update(copy->id, fields, EmptyField::Clears)) ++counts.updated;
                writer.mark(copy->id, marks);
                copy->desktopRevision = revision;
                continue;
            }
            const IndexedContact* own =
                index.byNameAndEmail(matchingName(fields), fields.email, true);
            if (own && own->desktopUid.empty()) continue;  // the user's own stands for it
            writer.add(fields, marks);
            ++counts.added;
        }
        for (const IndexedContact& copy : index.contacts()) {
            if (copy.desktopUid.empty() || copy.deleted || inBook.count(copy.desktopUid)) continue;
            store->deleteItem(copy.id);
            ++counts.removed;
        }
    });
    return counts;
}

}  // namespace outlook::local::desktop
