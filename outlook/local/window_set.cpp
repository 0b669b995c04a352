#include "outlook/local/window_set.h"

namespace outlook::local {

void WindowSet::setExplorer(ExplorerWindow* window) {
    std::lock_guard lock(mutex_);
    explorer_ = window;
}

void WindowSet::setItemForm(ItemForm* form) {
    std::lock_guard lock(mutex_);
    itemForm_ = form;
}

void WindowSet::setAddressDialog(AddressDialog* dialog) {
    std::lock_guard lock(mutex_);
    addressDialog_ = dialog;
}

ExplorerWindow& WindowSet::explorer() {
    std::lock_guard lock(mutex_);
    return explorer_ ? *explorer_ : defaultExplorer_;
}

ItemForm& WindowSet::itemForm() {
    std::lock_guard lock(mutex_);
    return itemForm_ ? *itemForm_ : defaultItemForm_;
}

AddressDialog* WindowSet::addressDialog() {
    std::lock_guard lock(mutex_);
    return addressDialog_;
}

}  // namespace outlook::local
