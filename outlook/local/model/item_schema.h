#pragma once

#include <optional>
#include <string_view>

#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/known_properties.h"

namespace outlook::local {

enum class ValueKind { String, Int, Bool, Date };

// An object-model item property kept in one stored property: the fixed tag, or a known
// named property, and the item kinds that have it.
struct ItemProperty {
    std::string_view name;
    ValueKind value = ValueKind::String;
    unsigned kinds = 0;  // one bit per ItemKind
    mapi::PropTag fixed = 0;
    std::optional<Known> named;
};

// The property with this name (any case), or nullptr.
const ItemProperty* findItemProperty(std::string_view name);
bool hasProperty(const ItemProperty& definition, ItemKind kind);
const char* describeValueKind(ValueKind kind);  // "a date"

}  // namespace outlook::local
