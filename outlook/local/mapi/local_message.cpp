#include "outlook/local/mapi/local_message.h"

#include "outlook/local/mapi/store_entries.h"
#include "outlook/local/store/property_value.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"

namespace outlook::local {

using namespace mapi;

namespace {

// What the store works out and never keeps.
const PropTagArray kReadOnlyTags = {PR_ENTRYID,       tags::PR_RECORD_KEY, PR_PARENT_ENTRYID,
                                    PR_STORE_ENTRYID, PR_OBJECT_TYPE,      PR_INSTANCE_KEY};
// ... and what it works out unless a value was set: a contact imported from the address
// book keeps the id of the entry it came from, so that the entry is known again.
const PropTagArray kComputedTags = [] {
    PropTagArray computed = kReadOnlyTags;
    computed.push_back(PR_ORIGINAL_ENTRYID);
    return computed;
}();

}  // namespace

LocalMessage::LocalMessage(std::shared_ptr<Store> store, ItemRecord record)
    : store_(std::move(store)), record_(std::move(record)) {}

bool LocalMessage::isReadOnly(PropTag tag) const {
    for (PropTag computed : kReadOnlyTags)
        if (PROP_ID(computed) == PROP_ID(tag)) return true;
    return false;
}

HRESULT LocalMessage::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    return guardedCall([&] {
        const ComputedProp computed = [&](PropTag tag) {
            return store_->computedItemProp(record_.id, record_.folder, record_.props, tag);
        };
        values = tags ? buildRow(record_.props, *tags, computed)
                      : allProps(record_.props, kComputedTags, computed);
        return S_OK;
    });
}

HRESULT LocalMessage::SetProps(const PropValueArray& values) {
    for (const auto& value : values) {
        const ULONG type = PROP_TYPE(value.ulPropTag);
        if (type == PT_NULL || type == PT_ERROR || isReadOnly(value.ulPropTag)) continue;
        if (!isStorableType(type) || !valueMatchesTag(value)) return MAPI_E_INVALID_PARAMETER;
    }
    for (const auto& value : values) {
        const ULONG type = PROP_TYPE(value.ulPropTag);
        if (type == PT_NULL || type == PT_ERROR || isReadOnly(value.ulPropTag)) continue;
        record_.props.set(value);
    }
    return S_OK;
}

HRESULT LocalMessage::DeleteProps(const PropTagArray& tags) {
    for (PropTag tag : tags)
        if (!isReadOnly(tag)) record_.props.erase(tag);
    return S_OK;
}

HRESULT LocalMessage::GetIDsFromNames(const std::vector<MAPINAMEID>& names, ULONG,
                                      PropTagArray& tags) {
    return namesToIds(*store_, names, tags);
}

HRESULT LocalMessage::SaveChanges(ULONG) {
    return guardedCall([&] {
        if (!store_->folderOfItem(record_.id)) return MAPI_E_NOT_FOUND;
        store_->saveItem(record_);
        return S_OK;
    });
}

}  // namespace outlook::local
