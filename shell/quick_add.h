#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "outlook/session/data_store.h"

namespace shell {

// How `jotwise add` ends.
enum QuickAddExit : int {
    kQuickAddFiled = 0,
    kQuickAddFailed = 1,    // filing failed; the message is on standard error
    kQuickAddRefused = 2,   // the command line was not usable; nothing was filed
    kQuickAddDeclined = 3,  // filing would have lost a link, so nothing was filed
};

// What `jotwise add` works with; the program's start chooses the store behind it.
struct QuickAddPlatform {
    outlook::TDataStore::Platform outlook;
    // Where the keywords file is read from; the one beside the program when not given.
    std::optional<std::filesystem::path> keywordsFile;
};

//   jotwise add [--type TYPE] [--to NAME]... [--cc NAME]... [--attach FILE]... [--dry-run]
//               [--json] [--] TEXT...
// Files one note without any window, through the same note logic as the tray program:
// parsed, merged with the options, and saved or sent. Writes what it filed to `out` and
// reasons to `err`. Never writes the note settings or the keywords file.
int RunQuickAdd(const std::vector<std::string>& args, const QuickAddPlatform& platform,
                std::ostream& out, std::ostream& err);

}  // namespace shell
