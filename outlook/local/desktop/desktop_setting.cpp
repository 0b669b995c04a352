#include "outlook/local/desktop/desktop_setting.h"

namespace outlook::local::desktop {

const char* const kDesktopKey = "Software\\Jotwise\\Desktop Calendar";

namespace {

std::string text(platform::RegistryKey& key, std::string_view name) {
    const auto value = key.queryValue(name);
    return value && value->type == platform::RegistryType::String ? value->text : std::string();
}

}  // namespace

DesktopSetting readDesktopSetting(platform::Registry& registry) {
    DesktopSetting setting;
    const auto key = registry.openKey(platform::RegistryRoot::CurrentUser, kDesktopKey);
    if (!key) return setting;
    const auto enabled = key->queryValue("Enabled");
    setting.enabled =
        enabled && enabled->type == platform::RegistryType::Dword && enabled->dword == 1;
    setting.calendar = text(*key, "Calendar");
    setting.taskList = text(*key, "Tasks");
    setting.memoList = text(*key, "Memos");
    setting.addressBook = text(*key, "Address Book");
    return setting;
}

bool writeDesktopEnabled(platform::Registry& registry, bool enabled) {
    const auto key = registry.createKey(platform::RegistryRoot::CurrentUser, kDesktopKey);
    return key && key->setValue("Enabled", platform::RegistryValue::ofDword(enabled ? 1 : 0));
}

}  // namespace outlook::local::desktop
