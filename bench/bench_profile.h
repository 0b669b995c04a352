#pragma once

#include <memory>
#include <string>

#include "outlook/local/local_outlook.h"
#include "outlook/object_model.h"
#include "platform/file_registry.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/temp_folder.h"

namespace jotwise::bench {

// A user profile on disk for a benchmark: a local store, its registry file and an event
// loop, in a temporary folder removed at the end. The files are where the program looks
// for them when the folder is its XDG_CONFIG_HOME and XDG_DATA_HOME.
struct Profile {
    testing::TempFolder folder{"jotwise-bench"};
    platform::FileRegistry registry{folder.path() / "jotwise" / "HKEY_CURRENT_USER.reg",
                                    folder.path() / "machine.reg"};
    jotwise::testing::ManualEventLoop loop;
    std::unique_ptr<outlook::local::LocalOutlook> outlook = outlook::local::LocalOutlook::open(
        folder.path() / "jotwise" / "outlook.db", registry, loop, nullptr);
};

// Fills the profile with contacts "Given<i> Surname<i mod 977>" (companies "Company <i mod
// 50>") and categories "Category <i>".
inline void seedContactsAndCategories(Profile& profile, int contacts, int categories) {
    std::string list;
    for (int i = 0; i < categories; ++i)
        list += "Category " + std::to_string(i) + ";";
    profile.registry
        .createKey(platform::RegistryRoot::CurrentUser,
                   "Software\\Microsoft\\Office\\8.0\\Outlook\\Categories")
        ->setValue("", platform::RegistryValue::ofString(list));
    const auto app = profile.outlook->automation().createObject("Outlook.Application");
    for (int i = 0; i < contacts; ++i) {
        const auto contact = app->call("CreateItem", {outlook::olContactItem}).asObject();
        contact->put("FirstName", "Given" + std::to_string(i));
        contact->put("LastName", "Surname" + std::to_string(i % 977));
        contact->put("CompanyName", "Company " + std::to_string(i % 50));
        contact->call("Save");
    }
}

}  // namespace jotwise::bench
