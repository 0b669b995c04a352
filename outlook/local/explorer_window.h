#pragma once

#include "outlook/automation.h"

namespace outlook::local {

// The main window that shows a folder's items (Folder.Display, Application.ActiveExplorer).
class ExplorerWindow {
public:
    virtual ~ExplorerWindow() = default;
    // Shows `folder` (a Folder object), opening the window when it is closed.
    virtual void showFolder(const DispatchPtr& folder) = 0;
    // Whether the window is open; ActiveExplorer is nothing while it is not.
    virtual bool isOpen() const = 0;
    // The folder shown, or null.
    virtual DispatchPtr currentFolder() const = 0;
    // Brings the open window to the front.
    virtual void activate() = 0;
    virtual void close() = 0;
};

}  // namespace outlook::local
