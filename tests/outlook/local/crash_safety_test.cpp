#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "outlook/local/store/file_time.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

constexpr int kBatch = 10;

// Saves batches of complete appointments until killed, writing one byte to `progress`
// after each committed batch.
[[noreturn]] void saveUntilKilled(const fs::path& path, int progress) {
    try {
        jotwise::testing::ManualEventLoop loop;
        MemoryRegistry registry;
        std::string error;
        auto outlook = LocalOutlook::open(path, registry, loop, &error);
        if (!outlook) _exit(3);
        auto store = outlook->store();
        auto app = outlook->automation().createObject("Outlook.Application");
        const std::string body(2000, 'b');  // several pages per batch
        for (int n = 0;; ++n) {
            store->transact([&] {
                for (int i = 0; i < kBatch; ++i) {
                    auto item = app->call("CreateItem", {olAppointmentItem}).asObject();
                    item->put("Subject", "Meeting " + std::to_string(n * kBatch + i));
                    item->put("Body", body);
                    item->put("Start", OleDate{45000.0 + n});
                    item->put("End", OleDate{45000.5 + n});
                    item->put("Categories", "Business");
                    item->put("ReminderSet", true);
                    item->call("Save");
                }
            });
            if (::write(progress, "x", 1) != 1) _exit(4);
        }
    } catch (...) {
        _exit(5);
    }
}

std::string integrityCheck(const fs::path& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return "open failed";
    sqlite3_stmt* statement = nullptr;
    std::string result;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        result += reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

class LocalStoreCrashSafety : public LocalStoreFixture {};

TEST_F(LocalStoreCrashSafety, KillingAWriterMidBatchLosesOnlyWholeBatches) {
    outlook();  // the store exists before the writer starts
    reopen();
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        saveUntilKilled(dbPath(), pipeFds[1]);
    }
    ::close(pipeFds[1]);
    char byte = 0;
    int committed = 0;
    while (committed < 5 && ::read(pipeFds[0], &byte, 1) == 1)
        ++committed;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(pipeFds[0]);
    ASSERT_EQ(committed, 5) << "the writer stopped early";
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(integrityCheck(dbPath()), "ok");
    auto& reopened = store();
    const auto calendar = reopened.folder(FolderKind::Calendar).id;
    const auto count = reopened.itemCount(calendar);
    EXPECT_GE(count, 5u * kBatch);
    EXPECT_EQ(count % kBatch, 0u) << "a batch was half saved";
    const KnownTags& known = reopened.known();
    const mapi::PropTag expected[] = {mapi::PR_SUBJECT,         mapi::PR_BODY,
                                      known[Known::Start],      known[Known::End],
                                      known[Known::Categories], known[Known::ReminderSet],
                                      mapi::PR_MESSAGE_CLASS,   mapi::PR_CREATION_TIME};
    const auto ids = reopened.itemIdsAfter(calendar, 0, count);
    const auto props = reopened.loadProps(ids);
    for (const auto& [id, bag] : props) {
        for (mapi::PropTag tag : expected)
            EXPECT_TRUE(bag.has(tag)) << id << " lacks " << std::hex << tag;
        EXPECT_EQ(bag.string(mapi::PR_BODY).size(), 2000u);
    }
}

}  // namespace
}  // namespace outlook::local::testing
