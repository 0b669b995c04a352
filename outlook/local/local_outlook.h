#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "outlook/automation.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_connection.h"
#include "outlook/local/transport/outbox_queue.h"
#include "outlook/local/window_set.h"
#include "outlook/mapi.h"
#include "platform/event_loop.h"
#include "platform/registry.h"

namespace outlook::local {

class LocalAutomationServer;
class LocalSubsystem;

// The local mail and calendar store as the program uses it: its automation server
// ("Outlook.Application") and its messaging subsystem, both on one SQLite store, the
// windows the store shows, and the queue of what Send puts in the Outbox.
//
// The registry receives the default category list when the store is new, its mirror setting
// says whether and where the store keeps a vdir mirror, and its desktop calendar setting
// whether the store's items go to the desktop's calendar as well. The event loop delivers
// table notifications and runs the poll that notices other processes' changes and changes
// of those settings; it and the registry must outlive this object and every object obtained
// from it.
class LocalOutlook {
public:
    // Opens the store at `database` now, creating it when missing. nullptr with `*error`
    // set (when given) when it cannot be opened.
    static std::unique_ptr<LocalOutlook> open(const std::filesystem::path& database,
                                              platform::Registry& registry,
                                              platform::EventLoop& loop, std::string* error);
    // Opens the store on first use instead; a failure then reaches createObject as
    // AutomationError and MAPILogonEx as MAPI_E_LOGON_FAILED, with the reason in lastError().
    static std::unique_ptr<LocalOutlook> openLazily(const std::filesystem::path& database,
                                                    platform::Registry& registry,
                                                    platform::EventLoop& loop);
    // $XDG_DATA_HOME/jotwise/outlook.db, else $HOME/.local/share/jotwise/outlook.db.
    static std::filesystem::path defaultDatabasePath();

    ~LocalOutlook();
    LocalOutlook(const LocalOutlook&) = delete;
    LocalOutlook& operator=(const LocalOutlook&) = delete;

    AutomationServer& automation();
    mapi::Subsystem& mapi();
    // The open store, opening it if needed; nullptr when it cannot be opened.
    std::shared_ptr<Store> store();
    // Why the store could not be opened (empty when it could).
    std::string lastError() const;

    // Windows; nullptr restores the default (recording explorer and form, no dialog).
    void setExplorerWindow(ExplorerWindow* window) { windows_->setExplorer(window); }
    void setItemForm(ItemForm* form) { windows_->setItemForm(form); }
    void setAddressDialog(AddressDialog* dialog) { windows_->setAddressDialog(dialog); }
    WindowSet& windows() { return *windows_; }
    // The registry the store was opened with (the master category list lives there).
    platform::Registry& registry() { return registry_; }
    // Hears of each item Send puts in the Outbox; without a listener it waits there.
    transport::OutboxQueue& outbox() { return *outbox_; }

private:
    LocalOutlook(const std::filesystem::path& database, platform::Registry& registry,
                 platform::EventLoop& loop);

    platform::Registry& registry_;
    std::shared_ptr<StoreConnection> connection_;
    std::shared_ptr<WindowSet> windows_;
    std::shared_ptr<transport::OutboxQueue> outbox_;
    std::unique_ptr<LocalAutomationServer> automation_;
    std::unique_ptr<LocalSubsystem> mapi_;
};

}  // namespace outlook::local
