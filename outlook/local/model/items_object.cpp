#include "outlook/local/model/items_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/folder_object.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/sqlite/database.h"

namespace outlook::local {

Variant ItemsObject::getMember(std::string_view property) {
    if (isMember(property, "Count"))
        return static_cast<std::int32_t>(context_->store->itemCount(folder_));
    throwUnknownProperty("Items", property);
}

void ItemsObject::putMember(std::string_view property, const Variant&) {
    if (isMember(property, "Count")) throwReadOnly(property);
    throwUnknownProperty("Items", property);
}

Variant ItemsObject::callMethod(std::string_view method, const Arguments& arguments) {
    auto& store = *context_->store;
    if (isMember(method, "Item")) {
        expectArguments(method, arguments, 1, 1);
        const std::int32_t index = intArgument(method, arguments, 0);
        // The row is found by its position, so the count is read only to report a miss.
        std::vector<std::int64_t> ids;
        if (index >= 1) {
            std::lock_guard lock(store.mutex());
            auto query = store.db().prepare(
                "SELECT id FROM items WHERE folder = ? ORDER BY id LIMIT 1 OFFSET ?");
            query.bind(1, folder_).bind(2, static_cast<std::int64_t>(index - 1));
            if (query.step()) ids.push_back(query.columnInt(0));
        }
        if (ids.empty()) throwIndexOutOfRange("Items", method, index, store.itemCount(folder_));
        auto item = ItemObject::load(context_, ids.front());
        if (!item) throw AutomationError("Items.Item: the item was deleted meanwhile");
        return DispatchPtr(item);
    }
    if (isMember(method, "Add")) {
        expectArguments(method, arguments, 0, 1);
        std::int32_t type = FolderObject(context_, folder_).get("DefaultItemType").asInt();
        if (!arguments.empty() && !arguments[0].isEmpty()) type = intArgument(method, arguments, 0);
        const auto kind = itemKindFromCreateNumber(type);
        if (!kind) throw AutomationError("Items.Add: unknown item type " + std::to_string(type));
        return DispatchPtr(ItemObject::createNew(context_, *kind, folder_));
    }
    throwUnknownMethod("Items", method);
}

}  // namespace outlook::local
