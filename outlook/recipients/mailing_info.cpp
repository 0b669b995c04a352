#include "outlook/recipients/mailing_info.h"

#include "outlook/items/item_session.h"
#include "outlook/object_model.h"

namespace outlook {

DispatchPtr ResolvedRecipient(const std::string& name) {
    ItemSession* session = CurrentItemSession();
    if (!session || !session->MapiNamespace())
        throw AutomationError("There is no Outlook session to resolve recipients with");
    const DispatchPtr& mapiNamespace = session->MapiNamespace();
    DispatchPtr recipient = mapiNamespace->call("CreateRecipient", {name}).asObject();
    if (recipient->call("Resolve").asBool()) return recipient;
    DispatchPtr eMailForm = mapiNamespace->call("CreateRecipient", {name + " (E-mail)"}).asObject();
    return eMailForm->call("Resolve").asBool() ? eMailForm : recipient;
}

std::int32_t TMailingInfo::ContactIndex() const {
    return contactIndex_ >= 0 && static_cast<std::size_t>(contactIndex_) < list_.size()
               ? contactIndex_
               : -1;
}

MessageId TMailingInfo::SetContactRecipient(const std::string& key, bool asCopy) {
    ItemSession* session = CurrentItemSession();
    TContact* cached = session ? session->FindContact(key) : nullptr;
    hasContact_ = cached != nullptr;
    if (!cached) return messages::kNoError;
    try {
        contact_ = *cached;
        contactAsCopy_ = asCopy;
        contactIndex_ = ContactIndex();
        if (contactIndex_ < 0) {
            list_.emplace_back();
            contactIndex_ = static_cast<std::int32_t>(list_.size() - 1);
        }
        list_[contactIndex_].rgPropVals = {
            mapi::SPropValue::string(mapi::PR_DISPLAY_NAME, contact_.FullName()),
            mapi::SPropValue::integer(mapi::PR_RECIPIENT_TYPE,
                                      asCopy ? mapi::MAPI_CC : mapi::MAPI_TO)};
        return messages::kNoError;
    } catch (const std::bad_alloc&) {
        return messages::kOutOfMemory;
    }
}

std::int32_t TMailingInfo::FindContactEntry() const {
    const std::string& name = contact_.FullName();
    const std::int32_t wantedType = contactAsCopy_ ? mapi::MAPI_CC : mapi::MAPI_TO;
    std::int32_t found = -1;
    for (std::size_t i = 0; i < list_.size(); ++i) {
        const auto& values = list_[i].rgPropVals;
        const mapi::SPropValue* shown = mapi::FindProp(values, mapi::PR_DISPLAY_NAME);
        if (!shown || !shown->asString8() || *shown->asString8() != name) continue;
        const mapi::SPropValue* type = mapi::FindProp(values, mapi::PR_RECIPIENT_TYPE);
        if (type && type->asLong() && *type->asLong() == wantedType)
            return static_cast<std::int32_t>(i);
        if (found < 0) found = static_cast<std::int32_t>(i);
    }
    return found;
}

void TMailingInfo::SetList(mapi::ADRLIST list) {
    list_ = std::move(list);
    if (contactIndex_ < 0) return;
    contactIndex_ = FindContactEntry();
    if (contactIndex_ < 0) hasContact_ = false;
}

void TMailingInfo::RemoveContactRecipient() {
    if (contactIndex_ == -1) return;
    hasContact_ = false;
    if (const std::int32_t index = ContactIndex(); index >= 0) list_.erase(list_.begin() + index);
    contactIndex_ = -1;
}

void TMailingInfo::Clear() {
    list_.clear();
    hasContact_ = false;
    contactIndex_ = -1;
}

MessageId TMailingInfo::CollectRecipients(mapi::ULONG type,
                                          std::vector<std::unique_ptr<TContact>>& contacts) const {
    for (const mapi::ADRENTRY& entry : list_) {
        for (const mapi::SPropValue& value : entry.rgPropVals) {
            const std::int32_t* recipientType =
                value.ulPropTag == mapi::PR_RECIPIENT_TYPE ? value.asLong() : nullptr;
            if (!recipientType || static_cast<mapi::ULONG>(*recipientType) != type) continue;
            const mapi::SPropValue* name = mapi::FindProp(entry.rgPropVals, mapi::PR_DISPLAY_NAME);
            const std::string* text = name ? name->asString8() : nullptr;
            if (!text || text->empty()) return 39;
            contacts.push_back(
                std::make_unique<TContact>(std::string(), TContact::Names{*text, {}, {}, {}}));
        }
    }
    return messages::kNoError;
}

MessageId TMailingInfo::AddEntriesTo(Dispatch& itemRecipients, mapi::ULONG type) const {
    std::vector<std::unique_ptr<TContact>> contacts;
    if (const MessageId id = CollectRecipients(type, contacts)) return id;
    for (const auto& contact : contacts) {
        const Variant added = itemRecipients.call("Add", {ResolvedRecipient(contact->FileAs())});
        if (type == mapi::MAPI_CC) added.asObject()->put("Type", olCC);
    }
    return messages::kNoError;
}

}  // namespace outlook
