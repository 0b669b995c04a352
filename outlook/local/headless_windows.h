#pragma once

#include <string>
#include <vector>

#include "outlook/local/explorer_window.h"
#include "outlook/local/item_form.h"

namespace outlook::local {

// The explorer used while no real window is installed (no display): it remembers what it was asked
// to show and counts as open once it showed a folder.
class HeadlessExplorerWindow : public ExplorerWindow {
public:
    void showFolder(const DispatchPtr& folder) override;
    bool isOpen() const override { return open_; }
    DispatchPtr currentFolder() const override { return folder_; }
    void activate() override { ++activations; }
    void close() override;

    std::vector<std::string> shownFolderNames;
    int activations = 0;

private:
    bool open_ = false;
    DispatchPtr folder_;
};

// The item form used while no real window is installed: it remembers the items shown.
class HeadlessItemForm : public ItemForm {
public:
    void showItem(const DispatchPtr& item, bool modal) override;
    void closeItem(const DispatchPtr& item) override;

    struct Shown {
        DispatchPtr item;
        bool modal = false;
        bool closed = false;
    };
    std::vector<Shown> shown;
};

}  // namespace outlook::local
