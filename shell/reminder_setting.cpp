#include "shell/reminder_setting.h"

namespace shell {

bool RemindersOn(platform::Registry& registry) {
    const auto key =
        registry.openKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Reminders");
    const auto on = key ? key->queryValue("On") : std::nullopt;
    return !on || on->type != platform::RegistryType::Dword || on->dword != 0;
}

}  // namespace shell
