#include "outlook/local/local_outlook.h"

#include "outlook/local/desktop/desktop_calendar_attach.h"
#include "outlook/local/mapi/local_subsystem.h"
#include "outlook/local/mirror/mirror_setting.h"
#include "outlook/local/model/local_automation_server.h"
#include "outlook/local/store/store_file.h"

namespace outlook::local {

namespace {

// The store with the profile's mirror and desktop calendar as the settings want them when it
// opens, and again at every poll, so that switching either on, off or elsewhere reaches a
// running program.
std::shared_ptr<StoreConnection> mirroredConnection(const std::filesystem::path& database,
                                                    platform::Registry& registry,
                                                    platform::EventLoop& loop) {
    const auto followSetting = [&registry](Store& store) {
        mirror::followMirrorSetting(store, registry);
        desktop::followDesktopCalendarSetting(store, registry);
    };
    return std::make_shared<StoreConnection>(
        Store::Options{database, &registry, &loop, followSetting}, followSetting);
}

}  // namespace

LocalOutlook::LocalOutlook(const std::filesystem::path& database, platform::Registry& registry,
                           platform::EventLoop& loop)
    : registry_(registry),
      connection_(mirroredConnection(database, registry, loop)),
      windows_(std::make_shared<WindowSet>()),
      outbox_(std::make_shared<transport::OutboxQueue>()),
      automation_(
          std::make_unique<LocalAutomationServer>(connection_, windows_, outbox_, &registry)),
      mapi_(std::make_unique<LocalSubsystem>(connection_, windows_, loop)) {}

LocalOutlook::~LocalOutlook() {
    // The default windows hold what they show, and what they show holds the windows:
    // letting go of it breaks the cycle so the store is freed.
    windows_->defaultExplorer().close();
    windows_->defaultItemForm().shown.clear();
}

std::unique_ptr<LocalOutlook> LocalOutlook::open(const std::filesystem::path& database,
                                                 platform::Registry& registry,
                                                 platform::EventLoop& loop, std::string* error) {
    std::unique_ptr<LocalOutlook> outlook(new LocalOutlook(database, registry, loop));
    if (!outlook->store()) {
        if (error) *error = outlook->lastError();
        return nullptr;
    }
    return outlook;
}

std::unique_ptr<LocalOutlook> LocalOutlook::openLazily(const std::filesystem::path& database,
                                                       platform::Registry& registry,
                                                       platform::EventLoop& loop) {
    return std::unique_ptr<LocalOutlook>(new LocalOutlook(database, registry, loop));
}

std::filesystem::path LocalOutlook::defaultDatabasePath() {
    return StoreFile::defaultPath();
}

AutomationServer& LocalOutlook::automation() {
    return *automation_;
}

mapi::Subsystem& LocalOutlook::mapi() {
    return *mapi_;
}

std::shared_ptr<Store> LocalOutlook::store() {
    return connection_->get();
}

std::string LocalOutlook::lastError() const {
    return connection_->lastError();
}

}  // namespace outlook::local
