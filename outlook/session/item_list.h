#pragma once

#include <string>

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

}  // namespace outlook
