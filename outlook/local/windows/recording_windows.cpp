#include "outlook/local/windows/recording_windows.h"

namespace outlook::local {

void RecordingExplorerWindow::showFolder(const DispatchPtr& folder) {
    folder_ = folder;
    open_ = true;
    shownFolderNames.push_back(folder ? folder->get("Name").asString() : std::string());
}

void RecordingExplorerWindow::close() {
    open_ = false;
    folder_.reset();
}

void RecordingItemForm::showItem(const DispatchPtr& item, bool modal) {
    shown.push_back({item, modal, false});
}

void RecordingItemForm::closeItem(const DispatchPtr& item) {
    for (auto& entry : shown)
        if (entry.item == item) entry.closed = true;
}

}  // namespace outlook::local
