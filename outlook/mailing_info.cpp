#include "outlook/mailing_info.h"

#include "outlook/data_store.h"

namespace outlook {

std::int32_t TMailingInfo::ContactIndex() const {
    return contactIndex_ >= 0 && static_cast<std::size_t>(contactIndex_) < list_.size()
               ? contactIndex_
               : -1;
}

MessageId TMailingInfo::SetContactRecipient(const std::string& key, bool asCopy) {
    TContact* cached = DataStore ? DataStore->FindContact(key) : nullptr;
    hasContact_ = cached != nullptr;
    if (!cached) return shell::msg::kNoError;
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
        return shell::msg::kNoError;
    } catch (const std::bad_alloc&) {
        return shell::msg::kOutOfMemory;
    }
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
    return shell::msg::kNoError;
}

}  // namespace outlook
