#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "outlook/local/store/store.h"
#include "outlook/local/store/store_file.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs SQL on the file with a separate connection, as another program would.
void runSql(const fs::path& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << (error ? error : "");
}

class LocalStoreFile : public LocalStoreFixture {
protected:
    std::unique_ptr<LocalOutlook> tryOpen(std::string& error) {
        return LocalOutlook::open(dbPath(), registry, loop, &error);
    }
};

TEST_F(LocalStoreFile, CreatesThePrivateFileWithEveryDefaultFolder) {
    outlook();
    struct stat file {
    }, folder{};
    ASSERT_EQ(::stat(dbPath().c_str(), &file), 0);
    ASSERT_EQ(::stat(dbPath().parent_path().c_str(), &folder), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);

    std::vector<std::string> names;
    for (const auto& f : store().folders())
        names.push_back(f.name);
    for (const char* name : {"Inbox", "Outbox", "Sent Items", "Deleted Items", "Drafts", "Calendar",
                             "Contacts", "Tasks", "Notes", "Journal"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    // No temporary file of the creation is left behind.
    for (const auto& entry : fs::directory_iterator(dbPath().parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".new-"), std::string::npos);
}

TEST_F(LocalStoreFile, KeepsItemsAndIdsAcrossReopening) {
    auto item = createItem(olAppointmentItem);
    item->put("Subject", "Dentist");
    item->call("Save");
    const std::string entryId = item->get("EntryID").asString();
    const std::string storeId = defaultFolder(olFolderCalendar)->get("StoreID").asString();
    reopen();
    EXPECT_EQ(defaultFolder(olFolderCalendar)->get("StoreID").asString(), storeId);
    EXPECT_EQ(mapiNamespace()->call("GetItemFromID", {entryId}).asObject()->get("Subject"),
              Variant("Dentist"));
}

TEST_F(LocalStoreFile, WritesTheDefaultCategoriesOnlyWhenThereAreNone) {
    outlook();
    const auto value = registry.value(kCategoriesKey, "");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, platform::RegistryType::String);
    EXPECT_EQ(value->text, kDefaultCategories);
    EXPECT_NE(value->text.find("Holiday Cards;Hot Contacts"), std::string::npos);

    TempFolder other;
    MemoryRegistry customised;
    customised.createKey(platform::RegistryRoot::CurrentUser, kCategoriesKey)
        ->setValue("", platform::RegistryValue::ofString("Mine"));
    std::string error;
    ASSERT_TRUE(LocalOutlook::open(other.path() / "outlook.db", customised, loop, &error)) << error;
    EXPECT_EQ(customised.value(kCategoriesKey, "")->text, "Mine");
}

TEST_F(LocalStoreFile, WritesTheCategoriesLaterWhenTheRegistryRefusedAtCreation) {
    registry.readOnly = true;
    outlook();
    EXPECT_FALSE(registry.value(kCategoriesKey, ""));
    reopen();
    registry.readOnly = false;
    outlook();
    ASSERT_TRUE(registry.value(kCategoriesKey, ""));
    // Once written, a later removal by the user is respected.
    registry.createKey(platform::RegistryRoot::CurrentUser, kCategoriesKey)->deleteValue("");
    reopen();
    outlook();
    EXPECT_FALSE(registry.value(kCategoriesKey, ""));
}

TEST_F(LocalStoreFile, RefusesFilesThatAreNotStoresAndLeavesThemUntouched) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string sqliteHeaderThenGarbage = std::string("SQLite format 3") + '\0';
    sqliteHeaderThenGarbage += std::string(4096, '\x5A');
    for (const Case& c : {Case{"text", "my notes, not a database\n"}, Case{"empty", ""},
                          Case{"damaged", sqliteHeaderThenGarbage}}) {
        writeFile(dbPath(), c.bytes);
        std::string error;
        EXPECT_FALSE(tryOpen(error)) << c.what;
        EXPECT_NE(error.find(dbPath().string()), std::string::npos) << error;
        EXPECT_NE(error.find("left as it is"), std::string::npos) << error;
        EXPECT_EQ(readAll(dbPath()), c.bytes) << c.what;
        EXPECT_FALSE(fs::exists(dbPath().string() + "-wal")) << c.what;
    }
}

TEST_F(LocalStoreFile, RefusesAnotherProgramsDatabase) {
    fs::create_directories(dbPath().parent_path());
    runSql(dbPath(), "CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES('keep me');");
    const std::string before = readAll(dbPath());
    std::string error;
    EXPECT_FALSE(tryOpen(error));
    EXPECT_NE(error.find("not a jotwise store"), std::string::npos) << error;
    EXPECT_EQ(readAll(dbPath()), before);
}

TEST_F(LocalStoreFile, RefusesAStoreWrittenByANewerProgram) {
    outlook();
    reopen();
    runSql(dbPath(), "UPDATE schema_version SET version = 99");
    const std::string before = readAll(dbPath());
    std::string error;
    EXPECT_FALSE(tryOpen(error));
    EXPECT_NE(error.find("newer program (schema version 99"), std::string::npos) << error;
    EXPECT_EQ(readAll(dbPath()), before);
}

TEST_F(LocalStoreFile, LazyOpeningReportsTheReasonThroughBothInterfaces) {
    writeFile(dbPath(), "not a store");
    auto lazy = LocalOutlook::openLazily(dbPath(), registry, loop);
    try {
        lazy->automation().createObject("Outlook.Application");
        FAIL() << "created an application on a broken store";
    } catch (const AutomationError& e) {
        EXPECT_NE(std::string(e.what()).find("not a jotwise store"), std::string::npos) << e.what();
    }
    mapi::ComPtr<mapi::IMAPISession> session;
    ASSERT_EQ(lazy->mapi().MAPIInitialize(), mapi::S_OK);
    EXPECT_EQ(lazy->mapi().MAPILogonEx(0, nullptr, nullptr, 0, session), mapi::MAPI_E_LOGON_FAILED);
    EXPECT_NE(lazy->lastError().find("not a jotwise store"), std::string::npos);
    lazy->mapi().MAPIUninitialize();
}

TEST(LocalStoreFilePath, FollowsXdgDataHomeThenHome) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedData = oldData ? oldData : "", savedHome = oldHome ? oldHome : "";
    ::setenv("XDG_DATA_HOME", "/data/x", 1);
    EXPECT_EQ(LocalOutlook::defaultDatabasePath(), fs::path("/data/x/jotwise/outlook.db"));
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(LocalOutlook::defaultDatabasePath(),
              fs::path("/home/someone/.local/share/jotwise/outlook.db"));
    if (oldData)
        ::setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    if (oldHome)
        ::setenv("HOME", savedHome.c_str(), 1);
    else
        ::unsetenv("HOME");
}

}  // namespace
}  // namespace outlook::local::testing
