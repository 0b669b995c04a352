#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "outlook/mapi.h"

namespace jotwise::testing {

// An address book row as the store's table gives it; an empty address comes as an error.
inline mapi::Row bookEntry(std::uint8_t id, const std::string& name, const std::string& email) {
    using namespace mapi;
    return {SPropValue::binary(PR_ENTRYID, {0xAB, id}),
            SPropValue::binary(PR_INSTANCE_KEY, {id}),
            SPropValue::string(PR_DISPLAY_NAME, name),
            SPropValue::string(PR_ADDRTYPE, "SMTP"),
            email.empty() ? SPropValue::error(PR_EMAIL_ADDRESS, MAPI_E_NOT_FOUND)
                          : SPropValue::string(PR_EMAIL_ADDRESS, email),
            SPropValue::integer(PR_OBJECT_TYPE, MAPI_MAILUSER),
            SPropValue::integer(PR_DISPLAY_TYPE, 0)};
}

// Address dialog parameters with `count` wells and default titles.
inline mapi::ADRPARM withWells(mapi::ULONG count, const char* caption = "Select Names") {
    mapi::ADRPARM parameters;
    parameters.lpszCaption = caption;
    parameters.cDestFields = count;
    return parameters;
}

// A recipient entry with a display name and, if given, a recipient type.
inline mapi::ADRENTRY recipientEntry(const std::string& name, std::optional<std::int32_t> type) {
    mapi::ADRENTRY entry;
    entry.rgPropVals = {mapi::SPropValue::string(mapi::PR_DISPLAY_NAME, name)};
    if (type) entry.rgPropVals.push_back(mapi::SPropValue::integer(mapi::PR_RECIPIENT_TYPE, *type));
    return entry;
}

// A text property of an entry, or "<none>".
inline std::string textOf(const mapi::PropValueArray& props, mapi::PropTag tag) {
    const mapi::SPropValue* value = mapi::FindProp(props, tag);
    return value && value->asString8() ? *value->asString8() : "<none>";
}

// An entry's recipient type, or -1 when it has none.
inline std::int32_t recipientTypeOf(const mapi::ADRENTRY& entry) {
    const mapi::SPropValue* value = mapi::FindProp(entry.rgPropVals, mapi::PR_RECIPIENT_TYPE);
    return value && value->asLong() ? *value->asLong() : -1;
}

}  // namespace jotwise::testing
