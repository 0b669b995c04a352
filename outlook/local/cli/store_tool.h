#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace outlook::local {

class Store;
struct FolderRecord;

// The jotwise-store command line: lists and shows what a store holds and adds contacts,
// mail users and distribution lists, also from vCard files; deletes, restores and changes
// items; exports folders as iCalendar or vCard, switches the vdir mirror and the desktop
// calendar on and off, and sends what waits in the Outbox.
//
// Exit codes: 0 done, 1 the store or the operation failed, 2 the command line is wrong, 4 an
// Outbox item still waits after send-outbox.
class StoreTool {
public:
    // `registry` receives the default categories when the tool creates the store; may be
    // null.
    StoreTool(std::ostream& out, std::ostream& err, platform::Registry* registry = nullptr)
        : out_(out), err_(err), registry_(registry) {}

    // Runs one command line (without the program name). With `store` given it works on
    // that open store, so the store's advised tables hear of the changes; otherwise it
    // opens the database named by --db, or the profile's default one.
    int run(const std::vector<std::string>& args, std::shared_ptr<Store> store = nullptr);

    static const char* usage();

private:
    int usageError(const std::string& message);
    int folders(Store& store);
    int items(Store& store, const std::vector<std::string>& args);
    int show(Store& store, const std::vector<std::string>& args);
    int addContact(const std::shared_ptr<Store>& store, const std::vector<std::string>& args);
    int addMailUser(Store& store, const std::vector<std::string>& args);
    int addDistList(Store& store, const std::vector<std::string>& args);
    int importVCards(const std::shared_ptr<Store>& store, const std::vector<std::string>& args);
    int mirrorTo(Store& store, const std::string& folder);
    int mirrorOff(Store* store);
    int mail(const std::vector<std::string>& args);
    int exportCalendar(Store& store, const std::string& folderName);
    int exportContacts(Store& store, const std::string& folderName);
    const FolderRecord* findFolder(Store& store, const std::string& nameOrId);

    std::ostream& out_;
    std::ostream& err_;
    platform::Registry* registry_;
};

}  // namespace outlook::local
