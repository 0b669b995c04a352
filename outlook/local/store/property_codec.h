#pragma once

#include <optional>

#include "outlook/local/sqlite/statement.h"
#include "outlook/local/store/property_bag.h"

namespace outlook::local {

// Binds a storable value (see isStorableType) to parameter `index`.
void bindPropValue(sqlite::Statement& statement, int index, const mapi::SPropValue& value);
// The value in `column` for a property of the given tag; nothing when the column holds no
// value of the tag's type (a damaged row is skipped rather than misread).
std::optional<mapi::SPropValue> readPropValue(const sqlite::Statement& statement, int column,
                                              mapi::PropTag tag);

// A self-contained copy of a property bag as bytes, for item snapshots kept in attachments.
mapi::Binary encodePropertyBag(const PropertyBag& bag);
// Nothing when the bytes are not such a copy.
std::optional<PropertyBag> decodePropertyBag(const mapi::Binary& bytes);

}  // namespace outlook::local
