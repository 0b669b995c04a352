#include "outlook/items/item.h"

namespace outlook {

void TItem::Display() {
    Variant(GetObject()).asObject()->call("Display");
}

DispatchPtr TItem::GetObject() {
    return object_;
}

Dispatch& TItem::Object() const {
    if (!object_) throw AutomationError("The item has no Outlook object to change");
    return *object_;
}

}  // namespace outlook
