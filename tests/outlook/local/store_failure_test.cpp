// What the store does when SQLite refuses a change: another program holding the store, a full
// disk, a read-only store file. Each failure reaches the caller of the object model as an
// automation failure that says what happened and why, and leaves the store as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "outlook/local/sqlite/database.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"
#include "tests/support/store_trouble.h"
#include "tests/support/unprivileged.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono_literals;
using jotwise::testing::OtherWriter;
using ::testing::HasSubstr;

class CountingObserver : public ChangeObserver {
public:
    std::size_t told = 0;
    void committed(const std::vector<Change>& changes) noexcept override { told += changes.size(); }
    void changedElsewhere() noexcept override {}
    void detach() noexcept override {}
};

class StoreFailureTest : public LocalStoreFixture {
protected:
    void SetUp() override { saveContact("Ann", "Lee", "ann@example.com"); }

    std::string saveTask(const std::string& subject, const std::string& body = "") {
        return errorOf([&] {
            auto task = createItem(olTaskItem);
            task->put("Subject", subject);
            if (!body.empty()) task->put("Body", body);
            task->call("Save");
        });
    }
};

TEST_F(StoreFailureTest, AStoreHeldByAnotherProgramPastTheTimeoutRefusesTheChange) {
    store().setWriteTimeout(300ms);
    OtherWriter other(dbPath());
    ASSERT_TRUE(other.locked());
    const std::string error = saveTask("call the bank");
    EXPECT_THAT(error, HasSubstr("is being changed by another program, which did not finish "
                                 "within 0 seconds"));
    EXPECT_THAT(error, HasSubstr("(database is locked)"));
    other.release();
    EXPECT_EQ(countIn(olFolderTasks), 0);
    EXPECT_EQ(saveTask("call the bank"), "(no error)") << "the store works on once it is free";
    EXPECT_EQ(countIn(olFolderTasks), 1);
}

TEST_F(StoreFailureTest, AChangeWaitsForAnotherProgramLongerThanAReadWould) {
    // Another program writing for six seconds: longer than reads wait, well within the
    // thirty seconds a change waits.
    auto other = std::make_unique<OtherWriter>(dbPath());
    ASSERT_TRUE(other->locked());
    std::thread release([&] {
        std::this_thread::sleep_for(6s);
        other->release();
    });
    EXPECT_EQ(saveTask("call the bank"), "(no error)");
    release.join();
    EXPECT_EQ(countIn(olFolderTasks), 1);
}

TEST_F(StoreFailureTest, AFullDiskRefusesTheChangeAndKeepsWhatWasThere) {
    {
        jotwise::testing::FullDisk full(store().db());
        // Its body needs pages of its own.
        const std::string error = saveTask("call the bank", std::string(20'000, 'x'));
        EXPECT_THAT(error, HasSubstr("The disk that holds the store '" + dbPath().string() +
                                     "' is full (database or disk is full)"));
        EXPECT_EQ(countIn(olFolderTasks), 0);
        EXPECT_EQ(countIn(olFolderContacts), 1);
    }
    EXPECT_EQ(saveTask("call the bank"), "(no error)");
}

TEST_F(StoreFailureTest, AReadOnlyStoreFileIsReadButRefusesChanges) {
    reopen();
    // The child, which is not root, must reach the folders; the store file it must not write.
    ::chmod(temp.path().c_str(), 0755);
    ::chmod(dbPath().parent_path().c_str(), 0777);
    ::chmod(dbPath().c_str(), 0444);
    const auto report = jotwise::testing::runWithoutPrivileges([&](int out) {
        jotwise::testing::ManualEventLoop childLoop;
        MemoryRegistry childRegistry;
        std::string error;
        auto local = LocalOutlook::open(dbPath(), childRegistry, childLoop, &error);
        if (!local) {
            jotwise::testing::tell(out, "open: " + error);
            return 1;
        }
        auto app = local->automation().createObject("Outlook.Application");
        auto contacts = app->call("GetNamespace", {"MAPI"})
                            .asObject()
                            ->call("GetDefaultFolder", {olFolderContacts})
                            .asObject();
        const int read = contacts->get("Items").asObject()->get("Count").asInt();
        jotwise::testing::tell(out, "contacts: " + std::to_string(read) + "\n");
        jotwise::testing::tell(out, errorOf([&] {
                                   auto task = app->call("CreateItem", {olTaskItem}).asObject();
                                   task->put("Subject", "call the bank");
                                   task->call("Save");
                               }));
        return 0;
    });
    ASSERT_EQ(report.exitCode, 0) << report.text;
    EXPECT_THAT(report.text, HasSubstr("contacts: 1\n"));
    EXPECT_THAT(report.text, HasSubstr("The store '" + dbPath().string() +
                                       "' cannot be written: it is read-only (attempt to write "
                                       "a readonly database)"));
    ::chmod(dbPath().c_str(), 0600);
    EXPECT_EQ(countIn(olFolderTasks), 0);
}

// A batch keeps its saves or loses them together, and tells of them only once it is kept.
TEST_F(StoreFailureTest, ABatchKeepsOrLosesItsSavesTogether) {
    auto app = application();
    app->call("BeginBatch");
    EXPECT_EQ(saveTask("first"), "(no error)");
    EXPECT_EQ(saveTask("second"), "(no error)");
    app->call("AbortBatch");
    EXPECT_EQ(countIn(olFolderTasks), 0);

    const auto observer = std::make_shared<CountingObserver>();
    store().setChangeObserver(observer);
    app->call("BeginBatch");
    EXPECT_EQ(saveTask("first"), "(no error)");
    EXPECT_THAT(errorOf([&] { app->call("BeginBatch"); }), HasSubstr("batch"));
    EXPECT_EQ(saveTask("second"), "(no error)");
    EXPECT_EQ(observer->told, 0u);
    app->call("CommitBatch");
    EXPECT_EQ(observer->told, 2u);
    store().setChangeObserver(nullptr);
    EXPECT_EQ(countIn(olFolderTasks), 2);
    EXPECT_THAT(errorOf([&] { app->call("CommitBatch"); }), HasSubstr("No batch is open"));

    // The batch holds the store from its first save to its end.
    app->call("BeginBatch");
    EXPECT_EQ(saveTask("third"), "(no error)");
    {
        // Another program cannot take the store while the batch holds it.
        OtherWriter other(dbPath());
        EXPECT_FALSE(other.locked());
    }
    app->call("CommitBatch");
    EXPECT_EQ(countIn(olFolderTasks), 3);
}

}  // namespace
}  // namespace outlook::local::testing
