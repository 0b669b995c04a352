#pragma once

#include <memory>

#include "outlook/local/local_outlook.h"
#include "outlook/object_model.h"
#include "platform/file_registry.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/temp_folder.h"

namespace jotwise::bench {

// A user profile on disk for a benchmark: a local store, its registry file and an event
// loop, in a temporary folder removed at the end.
struct Profile {
    testing::TempFolder folder{"jotwise-bench"};
    platform::FileRegistry registry{folder.path() / "HKEY_CURRENT_USER.reg",
                                    folder.path() / "machine.reg"};
    jotwise::testing::ManualEventLoop loop;
    std::unique_ptr<outlook::local::LocalOutlook> outlook =
        outlook::local::LocalOutlook::open(folder.path() / "outlook.db", registry, loop, nullptr);
};

}  // namespace jotwise::bench
