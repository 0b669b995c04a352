#include "outlook/local/headless_windows.h"

namespace outlook::local {

void HeadlessExplorerWindow::showFolder(const DispatchPtr& folder) {
    folder_ = folder;
    open_ = true;
    shownFolderNames.push_back(folder ? folder->get("Name").asString() : std::string());
}

void HeadlessExplorerWindow::close() {
    open_ = false;
    folder_.reset();
}

void HeadlessItemForm::showItem(const DispatchPtr& item, bool modal) {
    shown.push_back({item, modal, false});
}

void HeadlessItemForm::closeItem(const DispatchPtr& item) {
    for (auto& entry : shown)
        if (entry.item == item) entry.closed = true;
}

}  // namespace outlook::local
