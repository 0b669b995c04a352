#pragma once

#include <mutex>

#include "outlook/local/address_dialog.h"
#include "outlook/local/explorer_window.h"
#include "outlook/local/headless_windows.h"
#include "outlook/local/item_form.h"

namespace outlook::local {

// The windows the store shows. Each setter takes a window that outlives its use (or
// nullptr to go back to the default); the explorer and the item form default to recording
// ones, the address dialog to none.
class WindowSet {
public:
    void setExplorer(ExplorerWindow* window);
    void setItemForm(ItemForm* form);
    void setAddressDialog(AddressDialog* dialog);

    ExplorerWindow& explorer();
    ItemForm& itemForm();
    // nullptr when none is installed.
    AddressDialog* addressDialog();

    HeadlessExplorerWindow& defaultExplorer() { return defaultExplorer_; }
    HeadlessItemForm& defaultItemForm() { return defaultItemForm_; }

private:
    std::mutex mutex_;
    HeadlessExplorerWindow defaultExplorer_;
    HeadlessItemForm defaultItemForm_;
    ExplorerWindow* explorer_ = nullptr;
    ItemForm* itemForm_ = nullptr;
    AddressDialog* addressDialog_ = nullptr;
};

}  // namespace outlook::local
