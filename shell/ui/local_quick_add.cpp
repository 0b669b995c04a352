#include "shell/ui/local_quick_add.h"

#include <iostream>

#include "outlook/local/local_outlook.h"
#include "platform/file_registry.h"
#include "platform/unattended_event_loop.h"
#include "shell/quick_add.h"

namespace shell::ui {

int RunQuickAddOnLocalStore(const std::vector<std::string>& args) {
    // A command line that cannot be used leaves everything as it was: no store, no settings.
    const std::optional<QuickAddOptions> options = ParseQuickAdd(args, std::cerr);
    if (!options) return kQuickAddRefused;
    const auto registry = platform::openUserRegistry();
    // One command and then the end: table notifications have nobody to reach.
    platform::UnattendedEventLoop loop;
    std::string error;
    const auto outlook = outlook::local::LocalOutlook::open(
        outlook::local::LocalOutlook::defaultDatabasePath(), *registry, loop, &error);
    if (!outlook) {
        std::cerr << "jotwise add: " << error << "\n";
        return kQuickAddFailed;
    }
    return RunQuickAdd(*options,
                       {{outlook->automation(), outlook->mapi(), *registry}, std::nullopt},
                       std::cout, std::cerr);
}

}  // namespace shell::ui
