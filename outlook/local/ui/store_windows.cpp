#include "outlook/local/ui/store_windows.h"

#include "outlook/local/category_list.h"
#include "outlook/local/local_outlook.h"

namespace outlook::local {

StoreWindows::StoreWindows(LocalOutlook& outlook, QWidget* parent, WindowSizes* sizes,
                           platform::MessageBoxes* boxes)
    : outlook_(outlook),
      sizes_(sizes ? *sizes : ownSizes_),
      itemForm_(std::make_unique<ContactForm>(sizes_, parent, boxes)),
      explorer_(std::make_unique<QtExplorerWindow>(outlook, sizes_, boxes)),
      addressDialog_(std::make_unique<QtAddressDialog>(parent)) {
    itemForm_->setEditingSupport(
        [&outlook]() -> DispatchPtr {
            try {
                return outlook.automation()
                    .createObject("Outlook.Application")
                    ->call("GetNamespace", {"MAPI"})
                    .asObject();
            } catch (const AutomationError&) {
                return nullptr;
            }
        },
        [&outlook] { return masterCategories(outlook.registry()); });
    outlook_.setItemForm(itemForm_.get());
    outlook_.setExplorerWindow(explorer_.get());
    outlook_.setAddressDialog(addressDialog_.get());
}

StoreWindows::~StoreWindows() {
    outlook_.setItemForm(nullptr);
    outlook_.setExplorerWindow(nullptr);
    outlook_.setAddressDialog(nullptr);
}

std::unique_ptr<StoreWindows> installStoreWindows(LocalOutlook& outlook, QWidget* parent,
                                                  WindowSizes* sizes,
                                                  platform::MessageBoxes* boxes) {
    return std::make_unique<StoreWindows>(outlook, parent, sizes, boxes);
}

}  // namespace outlook::local
