#include "outlook/local/cli/contact_writer.h"

#include "outlook/local/cli/vcard_reader.h"
#include "outlook/local/model/item_object.h"

namespace outlook::local {

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

mapi::EntryId ContactWriter::add(const ContactFields& fields) {
    auto context = std::make_shared<ModelContext>();
    context->store = store_;
    context->windows = std::make_shared<WindowSet>();
    auto contact =
        ItemObject::createNew(context, ItemKind::Contact, store_->folder(FolderKind::Contacts).id);
    const std::pair<const char*, const std::string*> values[] = {
        {"FirstName", &fields.firstName},
        {"LastName", &fields.lastName},
        {"CompanyName", &fields.company},
        {"FullName", &fields.fullName},
        {"FileAs", &fields.fileAs},
        {"Email1Address", &fields.email},
        {"BusinessTelephoneNumber", &fields.phone},
        {"BusinessAddressStreet", &fields.street},
        {"BusinessAddressCity", &fields.city},
        {"BusinessAddressState", &fields.state},
        {"BusinessAddressPostalCode", &fields.postalCode},
        {"BusinessAddressCountry", &fields.country},
        {"BusinessAddressPostOfficeBox", &fields.postOfficeBox},
        {"Body", &fields.note}};
    for (const auto& [name, value] : values)
        if (!value->empty()) contact->put(name, *value);
    contact->call("Save", {});
    return store_->itemEntryId(contact->id());
}

}  // namespace outlook::local
