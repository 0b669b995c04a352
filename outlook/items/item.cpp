#include "outlook/items/item.h"

namespace outlook {

void TItem::Display() {
    Variant(GetObject()).asObject()->call("Display");
}

DispatchPtr TItem::GetObject() {
    return object_;
}

}  // namespace outlook
