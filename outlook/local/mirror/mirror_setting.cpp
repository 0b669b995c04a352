#include "outlook/local/mirror/mirror_setting.h"

#include <cstdlib>

#include "outlook/local/store/store.h"
#include "platform/text.h"

namespace outlook::local::mirror {

namespace fs = std::filesystem;

const char* const kMirrorKey = "Software\\Jotwise\\Mirror";
const char* const kMirrorFolderValue = "Folder";

std::optional<fs::path> mirrorFolderSetting(platform::Registry& registry) {
    const auto key = registry.openKey(platform::RegistryRoot::CurrentUser, kMirrorKey);
    if (!key) return std::nullopt;
    const auto value = key->queryValue(kMirrorFolderValue);
    if (!value || value->type != platform::RegistryType::String) return std::nullopt;
    const fs::path folder(std::string(platform::trimmed(value->text)));
    if (folder.empty()) return std::nullopt;
    if (folder.is_absolute()) return folder;
    const char* home = std::getenv("HOME");
    return (home && *home ? fs::path(home) : fs::current_path()) / folder;
}

bool setMirrorFolderSetting(platform::Registry& registry, const std::optional<fs::path>& folder) {
    if (!folder) {
        const auto key = registry.openKey(platform::RegistryRoot::CurrentUser, kMirrorKey);
        return !key || !key->queryValue(kMirrorFolderValue) || key->deleteValue(kMirrorFolderValue);
    }
    const auto key = registry.createKey(platform::RegistryRoot::CurrentUser, kMirrorKey);
    return key &&
           key->setValue(kMirrorFolderValue, platform::RegistryValue::ofString(folder->string()));
}

std::shared_ptr<Mirror> attachMirror(Store& store, Mirror::Options options) {
    // The old mirror finishes its work before the new one starts comparing.
    store.setChangeObserver(nullptr);
    auto mirror = std::make_shared<Mirror>(store, std::move(options));
    store.setChangeObserver(mirror);
    return mirror;
}

std::shared_ptr<Mirror> followMirrorSetting(Store& store, platform::Registry& registry) noexcept {
    try {
        const auto folder = mirrorFolderSetting(registry);
        const auto active = attachedMirror(store);
        if (!folder) {
            if (active) store.setChangeObserver(nullptr);
            return nullptr;
        }
        if (active && active->root() == *folder) return active;
        Mirror::Options options;
        options.root = *folder;
        return attachMirror(store, std::move(options));
    } catch (const std::exception&) {
        // No thread to be had, or no folder to take a relative setting from.
        return attachedMirror(store);
    }
}

std::shared_ptr<Mirror> attachedMirror(const Store& store) {
    return std::dynamic_pointer_cast<Mirror>(store.changeObserver());
}

}  // namespace outlook::local::mirror
