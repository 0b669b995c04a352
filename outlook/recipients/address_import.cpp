#include "outlook/recipients/address_import.h"

#include "outlook/items/contact.h"
#include "outlook/object_model.h"
#include "outlook/session/data_store.h"
#include "platform/text.h"
#include "sentex.h"

namespace outlook {
namespace {

using namespace mapi;

// Where the walk over a mail user's properties sends each one.
struct AddressProperty {
    PropTag tag;
    const char* objectModelName;  // set on the new item through the object model
};

constexpr AddressProperty kObjectModelProperties[] = {
    {PR_COMMENT, "Body"},
    {PR_COUNTRY, "BusinessAddressCountry"},
    {PR_LOCALITY, "BusinessAddressCity"},
    {PR_STATE_OR_PROVINCE, "BusinessAddressState"},
    {PR_STREET_ADDRESS, "BusinessAddressStreet"},
    {PR_POSTAL_CODE, "BusinessAddressPostalCode"},
    {PR_POST_OFFICE_BOX, "BusinessAddressPostOfficeBox"},
};

// What the walk remembers of the mail user.
struct MailUserNames {
    Binary entryId;
    std::string displayName, addressType, eMail, givenName, surname, company;
};

std::string text(const SPropValue& value) {
    const std::string* s = value.asString8();
    return s ? *s : std::string();
}

void drop(SPropValue& value) {
    value.ulPropTag = CHANGE_PROP_TYPE(value.ulPropTag, PT_NULL);
}

// Walks the properties in order: remembers the names, hands the address fields and the
// comment to the object model, and leaves in `values` only what MAPI copies later.
MailUserNames sortProperties(PropValueArray& values, Dispatch& item) {
    MailUserNames names;
    for (SPropValue& value : values) {
        switch (value.ulPropTag) {
            case PR_ENTRYID:
                if (const Binary* id = value.asBinary()) names.entryId = *id;
                value.ulPropTag = PR_ORIGINAL_ENTRYID;
                continue;
            case PR_DISPLAY_NAME:
                names.displayName = text(value);
                continue;
            case PR_GIVEN_NAME:
                names.givenName = text(value);
                continue;
            case PR_SURNAME:
                names.surname = text(value);
                continue;
            case PR_COMPANY_NAME:
                names.company = text(value);
                continue;
            case PR_ADDRTYPE:
                names.addressType = text(value);
                drop(value);
                continue;
            case PR_EMAIL_ADDRESS:
                names.eMail = text(value);
                drop(value);
                continue;
        }
        bool handed = false;
        for (const auto& property : kObjectModelProperties)
            if (value.ulPropTag == property.tag) {
                item.put(property.objectModelName, text(value));
                handed = true;
            }
        const bool addressRange = value.ulPropTag >= 0x3A000000 && value.ulPropTag <= 0x3BFFFFFF;
        if (handed || PROP_TYPE(value.ulPropTag) == PT_OBJECT || !addressRange) drop(value);
    }
    return names;
}

// Sets the contact's first e-mail address, as the address book knows it, on the message.
HRESULT SetEMailProperties(IMessage& message, const MailUserNames& names) {
    std::vector<MAPINAMEID> ids;
    for (std::int32_t id : {0x8082, 0x8083, 0x8084, 0x8085})
        ids.push_back({PSETID_Address, MNID_ID, id, {}});
    PropTagArray tags;
    if (const HRESULT result = message.GetIDsFromNames(ids, 0, tags); Failed(result)) return result;
    if (tags.size() != ids.size()) return MAPI_E_CALL_FAILED;
    return message.SetProps(
        {SPropValue::string(CHANGE_PROP_TYPE(tags[0], PT_STRING8), names.addressType),
         SPropValue::string(CHANGE_PROP_TYPE(tags[1], PT_STRING8), names.eMail),
         SPropValue::string(CHANGE_PROP_TYPE(tags[2], PT_STRING8), names.displayName),
         SPropValue::binary(CHANGE_PROP_TYPE(tags[3], PT_BINARY), names.entryId)});
}

// Switches the session's contact notifications off for the life of the import, so the
// new contact is not also added as a change Outlook reports.
class NotificationsPaused {
public:
    explicit NotificationsPaused(TDataStore& store) : store_(store) {
        store_.SetContactNotifications(false);
    }
    ~NotificationsPaused() { store_.SetContactNotifications(true); }
    NotificationsPaused(const NotificationsPaused&) = delete;
    NotificationsPaused& operator=(const NotificationsPaused&) = delete;

private:
    TDataStore& store_;
};

}  // namespace

HRESULT ImportMailUser(TDataStore& store, IMailUser& mailUser, TContact*& contact) {
    NotificationsPaused paused(store);
    PropValueArray values;
    if (const HRESULT result = mailUser.GetProps(nullptr, 0, values); Failed(result)) return result;

    const DispatchPtr item = store.Application()->call("CreateItem", {olContactItem}).asObject();
    item->put("SelectedMailingAddress", olBusiness);
    MailUserNames names = sortProperties(values, *item);

    if (TContact* existing = store.FindContactByOriginalEntryID(names.entryId)) {
        item->call("Close", {olDiscard});
        contact = existing;
        return S_OK;
    }

    if (names.givenName.empty() && names.surname.empty() && names.company.empty()) {
        item->put("FullName", names.displayName);
        item->put("FirstName", names.displayName);
        names.givenName = names.displayName;
    } else {
        item->put("FullName",
                  std::string(platform::trimmed(names.givenName + " " + names.surname)));
    }
    const std::string fileAs = FileAsName(names.givenName, names.surname, names.company);
    item->put("FileAs", fileAs);
    item->put("Subject", names.displayName);
    item->call("Save");
    const std::string key = item->get("EntryID").asString();
    item->call("Close", {olSave});

    const std::optional<Binary> keyBytes = FBinFromHex(key);
    if (!keyBytes || !store.ContactsFolder()) return MAPI_E_INVALID_ENTRYID;
    ULONG objectType = 0;
    ComPtr<IUnknown> opened;
    if (const HRESULT result =
            store.ContactsFolder()->OpenEntry(*keyBytes, nullptr, MAPI_MODIFY, objectType, opened);
        Failed(result))
        return result;
    const ComPtr<IMessage> message = ComCast<IMessage>(opened);
    if (!message) return MAPI_E_INVALID_ENTRYID;
    if (const HRESULT result = message->SetProps(values); Failed(result)) return result;
    if (!names.eMail.empty())
        if (const HRESULT result = SetEMailProperties(*message, names); Failed(result))
            return result;
    if (const HRESULT result = message->SaveChanges(0); Failed(result)) return result;

    auto imported = std::make_unique<TContact>(
        key, TContact::Names{fileAs, names.givenName, names.surname, names.company}, names.entryId);
    contact = imported.get();
    store.AddContact(key, std::move(imported));
    Prs_AddContact(key.c_str());
    if (Prs_AddAlias(contact->FullName().c_str(), "", "", key.c_str()) == 1)
        ++contact->keywordCount;
    store.TellContactChanged(contact, nullptr);
    return S_OK;
}

bool ImportAddress(TDataStore& store, ULONG_PTR* ownerWindow, TContact*& contact,
                   platform::MessageBoxes& boxes) {
    contact = nullptr;
    IAddrBook* addressBook = store.AddressBook();
    if (!addressBook) return false;
    ADRPARM parameters;
    parameters.ulFlags = AB_RESOLVE | AB_SELECTONLY | ADDRESS_ONE | DIALOG_MODAL;
    parameters.lpszCaption = "Import Address into Contacts Folder";
    parameters.lpszNewEntryTitle = "New Address";
    parameters.cDestFields = 0;
    ADRLIST list;
    if (Failed(addressBook->Address(ownerWindow, parameters, list)) || list.empty()) return false;

    const SPropValue* entryId = FindProp(list.front().rgPropVals, PR_ENTRYID);
    const Binary* id = entryId ? entryId->asBinary() : nullptr;
    ULONG objectType = 0;
    ComPtr<IUnknown> opened;
    if (!id || Failed(addressBook->OpenEntry(*id, nullptr, 0, objectType, opened))) return true;

    const auto tell = [&boxes](const char* caption, const char* text) {
        boxes.show(caption, text, platform::MessageIcon::None, platform::MessageButtons::Ok);
    };
    const ComPtr<IMailUser> mailUser = ComCast<IMailUser>(opened);
    if (objectType == MAPI_MAILUSER && mailUser) {
        if (Failed(ImportMailUser(store, *mailUser, contact)))
            tell("Add Contact",
                 "An error occurred when attempting to add the selected entry to the Contacts "
                 "folder");
    } else if (objectType == MAPI_DISTLIST) {
        tell("Import Contact", "Distribution lists cannot be added to the Contacts folder");
    } else {
        tell("Import Contact", "The entry you selected cannot be added to the Contacts folder");
    }
    return true;
}

}  // namespace outlook
