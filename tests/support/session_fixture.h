#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "outlook/items/appointment.h"
#include "outlook/items/contact.h"
#include "outlook/items/journal_entry.h"
#include "outlook/items/note.h"
#include "outlook/items/task.h"
#include "outlook/local/local_outlook.h"
#include "outlook/object_model.h"
#include "outlook/session/contact_listener.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "platform/file_registry.h"
#include "sentex.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/temp_folder.h"

namespace outlook::testing {

namespace fs = std::filesystem;
using jotwise::testing::TempFolder;

inline constexpr std::string_view kCategoriesKey =
    "Software\\Microsoft\\Office\\8.0\\Outlook\\Categories";

class RecordingProgress : public TProgressBox {
public:
    std::vector<std::string> texts;
    std::int32_t max = -1, position = -1, steps = 0;
    void SetText(const std::string& text) override { texts.push_back(text); }
    void SetMin(std::int32_t) override {}
    void SetMax(std::int32_t value) override { max = value; }
    void SetPosition(std::int32_t value) override { position = value; }
    void SetStep(std::int32_t) override {}
    void StepIt() override { ++steps; }
    void StepBy(std::int32_t) override {}
};

class RecordingListener : public ContactListener {
public:
    struct Told {
        std::string added, removed;
        bool operator==(const Told&) const = default;
    };
    std::vector<Told> told;
    void ContactChanged(TContact* added, TContact* removed) override {
        told.push_back({added ? added->Key() : "", removed ? removed->Key() : ""});
    }
};

inline bool isAlias(const std::string& text) {
    return Prs_IsAlias(text.c_str()) == 1;
}

// The session over a real local store in a temporary folder, with the keyword store of
// the parser library emptied first.
class SessionTest : public ::testing::Test {
protected:
    SessionTest()
        : registry(folder.path() / "HKEY_CURRENT_USER.reg", folder.path() / "machine.reg"),
          outlook(local::LocalOutlook::openLazily(database(), registry, loop)) {
        Prs_ResetParseDll();
    }
    ~SessionTest() override {
        InstallDataStore(nullptr);
        Prs_ResetParseDll();
    }

    fs::path database() const { return folder.path() / "outlook.db"; }

    // Runs posted calls until none is left: a notification reaches the session in two
    // hops, the store's delivery and then the sink's own thread.
    void settle() {
        while (loop.runPending() > 0) {
        }
    }

    std::unique_ptr<TDataStore> makeSession() {
        auto session = std::make_unique<TDataStore>(TDataStore::Platform{
            automation ? *automation : outlook->automation(), outlook->mapi(), registry});
        session->SetContactListener(&listener);
        // Never the keywords file beside the test program.
        session->SetKeywordsFile(folder.path() / "Jotwise Data" / "keywords.jwk");
        return session;
    }

    MessageId connect() {
        session = makeSession();
        InstallDataStore(session.get());
        return session->Connect(0, progress);
    }

    DispatchPtr application() { return outlook->automation().createObject("Outlook.Application"); }

    // Saves a contact through the object model and returns its key.
    std::string addContact(const std::string& first, const std::string& last,
                           const std::string& company = "", const std::string& email = "") {
        const DispatchPtr contact = application()->call("CreateItem", {olContactItem}).asObject();
        if (!first.empty()) contact->put("FirstName", first);
        if (!last.empty()) contact->put("LastName", last);
        if (!company.empty()) contact->put("CompanyName", company);
        if (!email.empty()) contact->put("Email1Address", email);
        contact->call("Save");
        return contact->get("EntryID").asString();
    }

    // The items of one of the store's default folders.
    DispatchPtr folderItems(std::int32_t folder) {
        return application()
            ->call("GetNamespace", {"MAPI"})
            .asObject()
            ->call("GetDefaultFolder", {folder})
            .asObject()
            ->get("Items")
            .asObject();
    }

    DispatchPtr contactItem(const std::string& key) {
        return application()
            ->call("GetNamespace", {"MAPI"})
            .asObject()
            ->call("GetItemFromID", {key})
            .asObject();
    }

    void setCategories(const std::string& text) {
        registry.createKey(platform::RegistryRoot::CurrentUser, kCategoriesKey)
            ->setValue("", platform::RegistryValue::ofString(text));
    }

    TempFolder folder;
    platform::FileRegistry registry;
    jotwise::testing::ManualEventLoop loop;
    std::unique_ptr<local::LocalOutlook> outlook;
    RecordingProgress progress;
    RecordingListener listener;
    // The automation server sessions are made with; the store's own unless a test wraps it.
    AutomationServer* automation = nullptr;
    std::unique_ptr<TDataStore> session;
};

}  // namespace outlook::testing
