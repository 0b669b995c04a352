#pragma once

#include <memory>

#include "outlook/local/ui/address_book_dialog.h"
#include "outlook/local/ui/contact_form.h"
#include "outlook/local/ui/explorer_window.h"
#include "outlook/local/window_sizes.h"

class QWidget;

namespace outlook::local {

class LocalOutlook;

// The store's own windows, installed into a LocalOutlook: the item forms (contacts,
// appointments, tasks, notes, journal entries; a read-only view of mail) for Item.Display, the
// explorer for Folder.Display and ActiveExplorer, and the address book for IAddrBook::Address.
// Destroying this object puts back the store's default windows and closes these; it must go before
// the LocalOutlook does.
class StoreWindows {
public:
    // `sizes` keeps the windows' sizes; null keeps them in memory for this process.
    // `boxes` asks the windows' questions; null asks with Qt's message boxes.
    StoreWindows(LocalOutlook& outlook, QWidget* parent, WindowSizes* sizes,
                 platform::MessageBoxes* boxes = nullptr);
    ~StoreWindows();
    StoreWindows(const StoreWindows&) = delete;
    StoreWindows& operator=(const StoreWindows&) = delete;

    ContactForm& itemForm() { return *itemForm_; }
    QtExplorerWindow& explorer() { return *explorer_; }
    QtAddressDialog& addressDialog() { return *addressDialog_; }

private:
    LocalOutlook& outlook_;
    MemoryWindowSizes ownSizes_;
    WindowSizes& sizes_;
    std::unique_ptr<ContactForm> itemForm_;
    std::unique_ptr<QtExplorerWindow> explorer_;
    std::unique_ptr<QtAddressDialog> addressDialog_;
};

// Makes the store's windows and installs them; they stay installed while the returned
// object lives. `parent` is the window the dialogs belong to (may be null).
std::unique_ptr<StoreWindows> installStoreWindows(LocalOutlook& outlook, QWidget* parent,
                                                  WindowSizes* sizes = nullptr,
                                                  platform::MessageBoxes* boxes = nullptr);

}  // namespace outlook::local
