#include "outlook/local/store/property_bag.h"

#include "outlook/local/store/property_value.h"

namespace outlook::local {

using namespace mapi;

const SPropValue* PropertyBag::find(PropTag tag) const {
    const auto it = values_.find(PROP_ID(tag));
    if (it == values_.end()) return nullptr;
    if (!sameValueType(PROP_TYPE(tag), PROP_TYPE(it->second.ulPropTag))) return nullptr;
    return &it->second;
}

SPropValue PropertyBag::get(PropTag tag) const {
    const SPropValue* value = find(tag);
    if (!value) return notFound(tag);
    SPropValue copy = *value;
    if (PROP_TYPE(tag) != PT_UNSPECIFIED) copy.ulPropTag = tag;
    return copy;
}

void PropertyBag::set(SPropValue value) {
    const ULONG type = PROP_TYPE(value.ulPropTag);
    if (type == PT_NULL || type == PT_ERROR) return;
    const ULONG id = PROP_ID(value.ulPropTag);
    values_[id] = std::move(value);
    changed_.insert(id);
    removed_.erase(id);
}

void PropertyBag::load(SPropValue value) {
    const ULONG type = PROP_TYPE(value.ulPropTag);
    if (type == PT_NULL || type == PT_ERROR) return;
    values_[PROP_ID(value.ulPropTag)] = std::move(value);
}

void PropertyBag::setString(PropTag tag, std::string text) {
    set(SPropValue::string(tag, std::move(text)));
}

void PropertyBag::setLong(PropTag tag, std::int32_t value) {
    set(SPropValue::integer(tag, value));
}

void PropertyBag::setBool(PropTag tag, bool value) {
    set(SPropValue::boolean(tag, value));
}

bool PropertyBag::erase(PropTag tag) {
    const ULONG id = PROP_ID(tag);
    if (values_.erase(id) == 0) return false;
    changed_.erase(id);
    removed_.insert(id);
    return true;
}

std::string PropertyBag::string(PropTag tag) const {
    const SPropValue* value = find(tag);
    const auto* text = value ? std::get_if<std::string>(&value->value) : nullptr;
    return text ? *text : std::string();
}

std::optional<std::int32_t> PropertyBag::longValue(PropTag tag) const {
    const SPropValue* value = find(tag);
    const auto* number = value ? std::get_if<std::int32_t>(&value->value) : nullptr;
    return number ? std::optional(*number) : std::nullopt;
}

std::optional<bool> PropertyBag::boolValue(PropTag tag) const {
    const SPropValue* value = find(tag);
    const auto* flag = value ? std::get_if<bool>(&value->value) : nullptr;
    return flag ? std::optional(*flag) : std::nullopt;
}

std::optional<FileTime> PropertyBag::time(PropTag tag) const {
    const SPropValue* value = find(tag);
    const auto* t = value ? std::get_if<FileTime>(&value->value) : nullptr;
    return t ? std::optional(*t) : std::nullopt;
}

std::optional<Binary> PropertyBag::binary(PropTag tag) const {
    const SPropValue* value = find(tag);
    const auto* bytes = value ? std::get_if<Binary>(&value->value) : nullptr;
    return bytes ? std::optional(*bytes) : std::nullopt;
}

PropValueArray PropertyBag::all() const {
    PropValueArray out;
    out.reserve(values_.size());
    for (const auto& [id, value] : values_)
        out.push_back(value);
    return out;
}

void PropertyBag::markSaved() {
    changed_.clear();
    removed_.clear();
}

void PropertyBag::markAllChanged() {
    for (const auto& [id, value] : values_)
        changed_.insert(id);
}

}  // namespace outlook::local
