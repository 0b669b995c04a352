#include "outlook/local/cli/vcard_import.h"

#include "outlook/local/cli/vcard_reader.h"
#include "outlook/local/store/store.h"

namespace outlook::local {

VCardImport::VCardImport(std::shared_ptr<Store> store)
    : store_(std::move(store)),
      tags_(contactOriginTags(*store_)),
      index_(*store_, tags_),
      writer_(store_) {}

VCardImport::Outcome VCardImport::import(const VCard& card) {
    const ContactFields fields = contactFieldsOf(card);
    const std::string name = matchingName(fields);
    if (index_.byDesktopUid(card.uid)) return Outcome::KeptByDesktop;
    ContactMarks marks;
    if (!card.uid.empty()) marks.emplace_back(tags_.importedUid, card.uid);

    IndexedContact* match = index_.byImportedUid(card.uid);
    EmptyField empty = EmptyField::Clears;
    if (!match) {
        match = index_.byNameAndEmail(name, fields.email, card.uid.empty());
        empty = EmptyField::Keeps;
    }
    if (match && !match->desktopUid.empty()) return Outcome::KeptByDesktop;
    if (!match) {
        const auto ref = store_->parse(writer_.add(fields, marks));
        index_.add({ref ? ref->row : 0, name, fields.email, card.uid, {}, {}, false});
        return Outcome::Added;
    }
    const bool changed = writer_.update(match->id, fields, empty, marks);
    // Later cards of the same import find it under what it is now.
    if (!card.uid.empty()) match->importedUid = card.uid;
    if (!fields.email.empty()) match->email = fields.email;
    if (!fields.fullName.empty() || empty == EmptyField::Clears) match->name = name;
    return changed ? Outcome::Updated : Outcome::Unchanged;
}

}  // namespace outlook::local
