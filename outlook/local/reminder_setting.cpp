#include "outlook/local/reminder_setting.h"

namespace outlook::local {
namespace {

// A lead longer than this is taken for a mistyped setting.
constexpr std::uint32_t kLongestReminderMinutes = 14 * 24 * 60;

}  // namespace

std::int32_t defaultReminderMinutes(platform::Registry* registry) {
    if (!registry) return kDefaultReminderMinutes;
    const auto key =
        registry->openKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Reminders");
    const auto value = key ? key->queryValue("Minutes") : std::nullopt;
    if (!value || value->type != platform::RegistryType::Dword ||
        value->dword > kLongestReminderMinutes)
        return kDefaultReminderMinutes;
    return static_cast<std::int32_t>(value->dword);
}

}  // namespace outlook::local
