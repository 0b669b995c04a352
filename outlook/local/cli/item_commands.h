#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/automation.h"

namespace outlook::local {

class Store;

// One PROPERTY=VALUE of `jotwise-store set`, read and checked.
struct PropertyAssignment {
    std::string word;      // "start", as the command line names it
    std::string property;  // "Start", the object model's name
    Variant value;
};

// The assignments of `set`; nullopt with `error` set when a word is not PROPERTY=VALUE, names
// a property `set` does not know, or holds a value that property cannot take. Start is put
// before End, whatever the order given, so that moving an item earlier works in one command.
std::optional<std::vector<PropertyAssignment>> parseAssignments(
    const std::vector<std::string>& words, std::string& error);

// "2026-12-09T16:00" (seconds may follow) or "2026-12-09" (midnight), local time.
std::optional<OleDate> parseLocalTime(std::string_view text);

// `jotwise-store delete`, `restore` and `set` on an open store, through the object model:
// each prints a line per item saying what changed and returns 0, or says why nothing changed
// and returns 1.
class ItemCommands {
public:
    ItemCommands(std::shared_ptr<Store> store, std::ostream& out, std::ostream& err);

    int remove(const std::vector<std::string>& entryIds, bool permanently);
    int restore(const std::vector<std::string>& entryIds);
    int set(const std::string& entryId, const std::vector<PropertyAssignment>& assignments);

private:
    std::shared_ptr<Store> store_;
    std::ostream& out_;
    std::ostream& err_;
    DispatchPtr nameSpace_;
};

}  // namespace outlook::local
