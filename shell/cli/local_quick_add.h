#pragma once

#include <string>
#include <vector>

namespace shell::cli {

// `jotwise add` on the user's local store: no window, no single-instance lock, and nothing
// of the tray program's state written.
int RunQuickAddOnLocalStore(const std::vector<std::string>& args);

}  // namespace shell::cli
