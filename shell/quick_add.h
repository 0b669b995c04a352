#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "notes/item_type.h"
#include "outlook/session/data_store.h"

namespace shell {

// How `jotwise add` ends.
enum QuickAddExit : int {
    kQuickAddFiled = 0,
    kQuickAddFailed = 1,    // filing failed; the message is on standard error
    kQuickAddRefused = 2,   // the command line was not usable; nothing was filed
    kQuickAddDeclined = 3,  // filing would have lost a link, so nothing was filed
    kQuickAddQueued = 4,    // filed, but the message it sent waits in the Outbox (reason printed)
};

// What became of a message the note sent.
struct QuickAddDelivery {
    bool sent = false;
    std::string text;    // whom it went to, or why it waits
    std::string advice;  // when it waits: what to do about it, in a sentence or two
};

// What `jotwise add` works with; the program's start chooses the store behind it.
struct QuickAddPlatform {
    outlook::TDataStore::Platform outlook;
    // Where the keywords file is read from; the one beside the program when not given.
    std::optional<std::filesystem::path> keywordsFile;
    // Where the contacts are kept between runs; not given: none are kept.
    std::optional<std::filesystem::path> contactCacheFile = {};
    // Delivers what the filing sent and says how that went; nothing when it sent nothing.
    // Not given: what was sent is left to the store.
    std::function<std::optional<QuickAddDelivery>()> deliver = {};
};

// A `jotwise add` command line that can be used.
struct QuickAddOptions {
    std::optional<notes::ItemType> type;
    std::vector<std::string> to, cc;
    std::vector<std::string> attachments;  // absolute paths of readable regular files
    bool dryRun = false;
    bool json = false;
    bool once = false;  // a repeating sentence is filed once, on its first day
    std::string text;   // well-formed UTF-8
};

// What `jotwise add` takes; also part of `jotwise --help`.
inline constexpr const char* kQuickAddUsage =
    "usage: jotwise add [--type TYPE] [--to NAME]... [--cc NAME]... [--attach FILE]...\n"
    "                   [--once] [--dry-run] [--json] [--] TEXT...\n"
    "TYPE is appointment, note, task, mail, task-request or meeting-request.\n"
    "--once files a repeating sentence (\"every tuesday\") once, on its first day.\n";

// A command line as kQuickAddUsage shows it: the options, or nothing after writing to `err`
// why the command line cannot be used. Looks at nothing but the command line and the files
// it names, so a refused command changes nothing.
std::optional<QuickAddOptions> ParseQuickAdd(const std::vector<std::string>& args,
                                             std::ostream& err);

// Files one note without any window, through the same note logic as the tray program:
// parsed, merged with the options, and saved or sent. Writes what it filed to `out` and
// reasons to `err`. Never writes the note settings or the keywords file.
int RunQuickAdd(const QuickAddOptions& options, const QuickAddPlatform& platform, std::ostream& out,
                std::ostream& err);
// Both of the above.
int RunQuickAdd(const std::vector<std::string>& args, const QuickAddPlatform& platform,
                std::ostream& out, std::ostream& err);

}  // namespace shell
