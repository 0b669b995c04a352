#include "outlook/local/cli/contact_writer.h"

#include "outlook/local/cli/vcard_reader.h"
#include "outlook/local/model/item_object.h"

namespace outlook::local {

namespace {

struct FieldProperty {
    const char* name;  // of the object model
    std::string ContactFields::*field;
    bool isName;  // the full and file-as names are derived from these
};

// In the order they are written: the name parts before the full and file-as names, so that
// a full name given with the parts is not taken apart again.
const FieldProperty kFields[] = {
    {"FirstName", &ContactFields::firstName, true},
    {"LastName", &ContactFields::lastName, true},
    {"CompanyName", &ContactFields::company, true},
    {"FullName", &ContactFields::fullName, true},
    {"FileAs", &ContactFields::fileAs, true},
    {"Email1Address", &ContactFields::email, false},
    {"BusinessTelephoneNumber", &ContactFields::phone, false},
    {"BusinessAddressStreet", &ContactFields::street, false},
    {"BusinessAddressCity", &ContactFields::city, false},
    {"BusinessAddressState", &ContactFields::state, false},
    {"BusinessAddressPostalCode", &ContactFields::postalCode, false},
    {"BusinessAddressCountry", &ContactFields::country, false},
    {"BusinessAddressPostOfficeBox", &ContactFields::postOfficeBox, false},
    {"Body", &ContactFields::note, false}};

ContextPtr contextFor(const std::shared_ptr<Store>& store) {
    auto context = std::make_shared<ModelContext>();
    context->store = store;
    context->windows = std::make_shared<WindowSet>();
    return context;
}

std::string text(const Variant& value) {
    return value.type() == Variant::Type::String ? value.asString() : std::string();
}

}  // namespace

ContactFields contactFieldsOf(const VCard& card) {
    ContactFields fields;
    fields.firstName = card.givenName;
    fields.lastName = card.familyName;
    fields.fullName = card.formattedName;
    fields.company = card.organization;
    fields.email = card.email;
    fields.phone = card.workPhone;
    fields.note = card.note;
    if (card.hasWorkAddress) {
        const auto& a = card.workAddress;
        fields.street = a.street;
        fields.city = a.locality;
        fields.state = a.region;
        fields.postalCode = a.postalCode;
        fields.country = a.country;
        fields.postOfficeBox = a.postOfficeBox;
    }
    return fields;
}

ContactWriter::ContactWriter(std::shared_ptr<Store> store) : store_(std::move(store)) {}

mapi::EntryId ContactWriter::add(const ContactFields& fields, const ContactMarks& marks) {
    auto contact = ItemObject::createNew(contextFor(store_), ItemKind::Contact,
                                         store_->folder(FolderKind::Contacts).id);
    for (const auto& property : kFields)
        if (!(fields.*property.field).empty()) contact->put(property.name, fields.*property.field);
    store_->transact([&] {
        contact->call("Save", {});
        mark(contact->id(), marks);
    });
    return store_->itemEntryId(contact->id());
}

bool ContactWriter::update(std::int64_t item, const ContactFields& fields, EmptyField empty,
                           const ContactMarks& marks) {
    auto contact = ItemObject::load(contextFor(store_), item);
    if (!contact) throw std::runtime_error("The contact no longer exists in the store");
    bool changed = false;
    for (const auto& property : kFields) {
        const std::string& value = fields.*property.field;
        if (value.empty() && (property.isName || empty == EmptyField::Keeps)) continue;
        const std::string current = text(contact->get(property.name));
        if (current == value) continue;
        // The names a contact someone else keeps is known by stay theirs.
        if (property.isName && empty == EmptyField::Keeps && !current.empty()) continue;
        contact->put(property.name, value.empty() ? Variant() : Variant(value));
        changed = true;
    }
    store_->transact([&] {
        if (changed) contact->call("Save", {});
        if (mark(item, marks)) changed = true;
    });
    return changed;
}

bool ContactWriter::mark(std::int64_t item, const ContactMarks& marks) {
    if (marks.empty()) return false;
    auto record = store_->loadItem(item);
    if (!record) return false;
    bool changed = false;
    for (const auto& [tag, value] : marks) {
        if (record->props.has(tag) && record->props.string(tag) == value) continue;
        record->props.setString(tag, value);
        changed = true;
    }
    if (changed) store_->saveItem(*record);
    return changed;
}

}  // namespace outlook::local
