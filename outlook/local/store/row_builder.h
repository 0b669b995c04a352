#pragma once

#include <functional>
#include <optional>

#include "outlook/local/store/property_bag.h"

namespace outlook::local {

// A property an object has without storing it, or nothing.
using ComputedProp = std::function<std::optional<mapi::SPropValue>(mapi::PropTag)>;

// One value per column: the computed value, else the stored one, else PT_ERROR
// MAPI_E_NOT_FOUND.
mapi::Row buildRow(const PropertyBag& bag, const mapi::PropTagArray& columns,
                   const ComputedProp& computed);

// Every stored value followed by the computed values of `extraTags` that exist, with
// the computed ones taking the place of stored values of the same id.
mapi::PropValueArray allProps(const PropertyBag& bag, const mapi::PropTagArray& extraTags,
                              const ComputedProp& computed);

}  // namespace outlook::local
