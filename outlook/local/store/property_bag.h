#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "outlook/mapi.h"

namespace outlook::local {

// The properties of one item or address book entry, at most one value per property id,
// with the ids changed or removed since the last save so that a save writes only those.
class PropertyBag {
public:
    // The value stored under the tag's id when its type fits the tag's (PT_UNSPECIFIED
    // fits any; the two string types fit each other); nullptr otherwise.
    const mapi::SPropValue* find(mapi::PropTag tag) const;
    // The value under `tag` (retagged to the requested string type), or a PT_ERROR value.
    mapi::SPropValue get(mapi::PropTag tag) const;
    bool has(mapi::PropTag tag) const { return find(tag) != nullptr; }

    // Replaces any value with the same id. PT_NULL and PT_ERROR values are ignored.
    void set(mapi::SPropValue value);
    // A value read from the store: kept as set() keeps it, but not a change to write.
    void load(mapi::SPropValue value);
    void setString(mapi::PropTag tag, std::string text);
    void setLong(mapi::PropTag tag, std::int32_t value);
    void setBool(mapi::PropTag tag, bool value);
    // Removes the value with the tag's id; false when there was none.
    bool erase(mapi::PropTag tag);

    std::string string(mapi::PropTag tag) const;  // "" when missing
    std::optional<std::int32_t> longValue(mapi::PropTag tag) const;
    std::optional<bool> boolValue(mapi::PropTag tag) const;
    std::optional<mapi::FileTime> time(mapi::PropTag tag) const;
    std::optional<mapi::Binary> binary(mapi::PropTag tag) const;

    // By property id, in id order.
    const std::map<mapi::ULONG, mapi::SPropValue>& values() const { return values_; }
    mapi::PropValueArray all() const;
    bool empty() const { return values_.empty(); }

    const std::set<mapi::ULONG>& changedIds() const { return changed_; }
    const std::set<mapi::ULONG>& removedIds() const { return removed_; }
    bool modified() const { return !changed_.empty() || !removed_.empty(); }
    // Marks every value as written (after a save or a load).
    void markSaved();
    // Marks every value as changed, so that the next save writes them all.
    void markAllChanged();

private:
    std::map<mapi::ULONG, mapi::SPropValue> values_;
    std::set<mapi::ULONG> changed_;
    std::set<mapi::ULONG> removed_;
};

}  // namespace outlook::local
