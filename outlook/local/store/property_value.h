#pragma once

#include <string>

#include "outlook/mapi.h"

namespace outlook::local {

// Whether the value's alternative is the one its tag's type calls for.
bool valueMatchesTag(const mapi::SPropValue& value);
// Whether properties of this type can be kept in the store.
bool isStorableType(mapi::ULONG type);
// "PT_STRING8", "PT_LONG", ...
std::string propTypeName(mapi::ULONG type);
// The value as one line of text, for listings.
std::string formatPropValue(const mapi::SPropValue& value);
// A FILETIME as "2024-05-01 09:30:00 UTC".
std::string formatFileTime(mapi::FileTime time);
// Tags are written 0x0037001E.
std::string formatPropTag(mapi::PropTag tag);
// String types are interchangeable: a PT_UNICODE request finds a PT_STRING8 value.
bool sameValueType(mapi::ULONG requested, mapi::ULONG stored);

mapi::SPropValue notFound(mapi::PropTag tag);

}  // namespace outlook::local
