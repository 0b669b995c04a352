#include "outlook/local/store/row_builder.h"

#include <set>

namespace outlook::local {

using namespace mapi;

Row buildRow(const PropertyBag& bag, const PropTagArray& columns, const ComputedProp& computed) {
    Row row;
    row.reserve(columns.size());
    for (PropTag tag : columns) {
        if (computed) {
            if (auto value = computed(tag)) {
                row.push_back(std::move(*value));
                continue;
            }
        }
        row.push_back(bag.get(tag));
    }
    return row;
}

PropValueArray allProps(const PropertyBag& bag, const PropTagArray& extraTags,
                        const ComputedProp& computed) {
    PropValueArray out;
    std::set<ULONG> computedIds;
    for (PropTag tag : extraTags) {
        if (auto value = computed(tag)) {
            computedIds.insert(PROP_ID(tag));
            out.push_back(std::move(*value));
        }
    }
    for (const auto& [id, value] : bag.values())
        if (!computedIds.count(id)) out.push_back(value);
    return out;
}

}  // namespace outlook::local
