#pragma once

#include <functional>
#include <string>
#include <utility>

namespace outlook {

class TItem;

// A list the user picks folders, categories or contacts from (a combo box): each line
// shows a text and carries the item it stands for.
class ItemList {
public:
    virtual ~ItemList() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& text, TItem* item) = 0;
};

// Hands each line to a function as the session lists it, for callers that keep their own list.
class CollectingItemList : public ItemList {
public:
    using Add = std::function<void(const std::string&, TItem*)>;
    explicit CollectingItemList(Add add) : add_(std::move(add)) {}
    void Clear() override {}
    void AddItem(const std::string& text, TItem* item) override { add_(text, item); }

private:
    Add add_;
};

}  // namespace outlook
