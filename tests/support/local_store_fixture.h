#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "outlook/local/local_outlook.h"
#include "outlook/object_model.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/memory_registry.h"
#include "tests/support/temp_folder.h"

namespace outlook::local::testing {

namespace fs = std::filesystem;

using jotwise::testing::MemoryRegistry;
using jotwise::testing::TempFolder;

// The text of the automation failure `action` throws, or "(no error)".
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const AutomationError& e) {
        return e.what();
    }
    return "(no error)";
}

// A store in a temporary folder with a manual event loop and an in-memory registry.
class LocalStoreFixture : public ::testing::Test {
protected:
    fs::path dbPath() const { return temp.path() / "profile" / "outlook.db"; }

    // Opens (creating on first use) the store through the program's entry point.
    LocalOutlook& outlook() {
        if (!outlook_) {
            std::string error;
            outlook_ = LocalOutlook::open(dbPath(), registry, loop, &error);
            if (!outlook_) throw std::runtime_error(error);
        }
        return *outlook_;
    }
    Store& store() { return *outlook().store(); }
    DispatchPtr application() {
        if (!application_)
            application_ = outlook().automation().createObject("Outlook.Application");
        return application_;
    }
    DispatchPtr mapiNamespace() { return application()->call("GetNamespace", {"MAPI"}).asObject(); }
    DispatchPtr createItem(std::int32_t type) {
        return application()->call("CreateItem", {type}).asObject();
    }
    DispatchPtr defaultFolder(std::int32_t number) {
        return mapiNamespace()->call("GetDefaultFolder", {number}).asObject();
    }
    // A saved contact; an empty e-mail address or company is left unset.
    DispatchPtr saveContact(const char* first, const char* last, const char* email,
                            const char* company = "") {
        auto item = createItem(olContactItem);
        item->put("FirstName", first);
        item->put("LastName", last);
        if (*company) item->put("CompanyName", company);
        if (*email) item->put("Email1Address", email);
        item->call("Save");
        return item;
    }
    std::int32_t countIn(std::int32_t folder) {
        return defaultFolder(folder)->get("Items").asObject()->get("Count").asInt();
    }
    // Closes everything so that the next outlook() opens the file again.
    void reopen() {
        application_.reset();
        outlook_.reset();
    }

    TempFolder temp;
    MemoryRegistry registry;
    jotwise::testing::ManualEventLoop loop;

private:
    std::unique_ptr<LocalOutlook> outlook_;
    DispatchPtr application_;
};

}  // namespace outlook::local::testing
