#include <gtest/gtest.h>

#include "outlook/local/store/entry_id.h"
#include "outlook/local/store/store.h"
#include "tests/support/mapi_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace mapi;

class LocalStoreNotifications : public MapiFixture {
protected:
    // The Contacts table with given name and surname as its columns, advised to `sink`.
    ComPtr<IMAPITable> watchContacts(RecordingSink& sink, ULONG_PTR* connection = nullptr) {
        auto table = contentsOf(FolderKind::Contacts);
        EXPECT_EQ(table->SetColumns({PR_ENTRYID, PR_GIVEN_NAME, PR_SURNAME}, 0), S_OK);
        ULONG_PTR id = 0;
        EXPECT_EQ(table->Advise(fnevTableModified, &sink, id), S_OK);
        EXPECT_NE(id, 0u);
        if (connection) *connection = id;
        return table;
    }
    ComPtr<RecordingSink> sink = makeCom<RecordingSink>();
};

TEST_F(LocalStoreNotifications, ASavedContactArrivesThroughTheLoopWithTheTablesColumns) {
    auto table = watchContacts(*sink.get());
    auto contact = savedContact("Ann", "Lee");
    EXPECT_TRUE(sink->batches.empty());  // only through the event loop
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    ASSERT_EQ(sink->batches[0].size(), 1u);
    const NOTIFICATION& n = sink->batches[0][0];
    EXPECT_EQ(n.ulEventType, fnevTableModified);
    EXPECT_EQ(n.tab.ulTableEvent, TABLE_ROW_ADDED);
    ASSERT_EQ(n.tab.row.size(), 3u);
    EXPECT_EQ(HexFromBin(*n.tab.row[0].asBinary()), contact->get("EntryID").asString());
    EXPECT_EQ(n.tab.row[1], SPropValue::string(PR_GIVEN_NAME, "Ann"));
    EXPECT_EQ(n.tab.row[2], SPropValue::string(PR_SURNAME, "Lee"));
    EXPECT_EQ(n.tab.propIndex.ulPropTag, PR_INSTANCE_KEY);
    EXPECT_EQ(n.tab.propPrior.ulPropTag, PROP_TAG(PT_NULL, 0));  // the first row

    // The instance key is the one the table's rows carry.
    RowSet rows;
    const PropTagArray keyColumn = {PR_INSTANCE_KEY};
    ASSERT_EQ(HrQueryAllRows(table.get(), &keyColumn, 0, rows), S_OK);
    EXPECT_EQ(rows[0][0], n.tab.propIndex);
}

TEST_F(LocalStoreNotifications, ChangesAndDeletionsAreReportedAsSuch) {
    auto table = watchContacts(*sink.get());
    auto first = savedContact("Ann", "Lee");
    auto second = savedContact("Bob", "Stone");
    second->put("LastName", "Stones");
    second->call("Save");
    first->call("Delete");
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 4u);
    EXPECT_EQ(sink->batches[1][0].tab.ulTableEvent, TABLE_ROW_ADDED);
    EXPECT_EQ(sink->batches[1][0].tab.propPrior, sink->batches[0][0].tab.propIndex);
    const auto& modified = sink->batches[2][0].tab;
    EXPECT_EQ(modified.ulTableEvent, TABLE_ROW_MODIFIED);
    EXPECT_EQ(modified.row[2], SPropValue::string(PR_SURNAME, "Stones"));
    EXPECT_EQ(modified.propIndex, sink->batches[1][0].tab.propIndex);
    const auto& deleted = sink->batches[3][0].tab;
    EXPECT_EQ(deleted.ulTableEvent, TABLE_ROW_DELETED);
    EXPECT_EQ(deleted.propIndex, sink->batches[0][0].tab.propIndex);
    EXPECT_TRUE(deleted.row.empty());
}

TEST_F(LocalStoreNotifications, MessagingChangesAreReportedToo) {
    auto contact = savedContact("Ann", "Lee");
    auto table = watchContacts(*sink.get());
    auto message = openMessage(contact->get("EntryID").asString());
    message->SetProps({SPropValue::string(PR_GIVEN_NAME, "Anna")});
    ASSERT_EQ(message->SaveChanges(0), S_OK);
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_ROW_MODIFIED);
    EXPECT_EQ(sink->batches[0][0].tab.row[1], SPropValue::string(PR_GIVEN_NAME, "Anna"));
}

TEST_F(LocalStoreNotifications, OneTransactionIsOneBatch) {
    auto table = watchContacts(*sink.get());
    store().transact([&] {
        savedContact("Ann", "Lee");
        savedContact("Bob", "Stone");
    });
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0].size(), 2u);
}

TEST_F(LocalStoreNotifications, EachRowIsReportedOnceWithItsNetChange) {
    auto kept = savedContact("Kept", "Here");
    auto table = watchContacts(*sink.get());
    store().transact([&] {
        savedContact("Brief", "Visit")->call("Delete");  // added, then moved away
        kept->put("FirstName", "Still");
        kept->call("Save");
        kept->put("LastName", "There");
        kept->call("Save");
    });
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    ASSERT_EQ(sink->batches[0].size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_ROW_MODIFIED);
    EXPECT_EQ(sink->batches[0][0].tab.row[2], SPropValue::string(PR_SURNAME, "There"));
}

TEST_F(LocalStoreNotifications, OnlySinksAdvisedAtCommitTimeHearOfIt) {
    savedContact("Ann", "Lee");
    auto table = watchContacts(*sink.get());
    loop.runPending();
    EXPECT_TRUE(sink->batches.empty());

    // The same sink hears of the next change.
    savedContact("Bob", "Stone");
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.row[1], SPropValue::string(PR_GIVEN_NAME, "Bob"));
}

TEST_F(LocalStoreNotifications, UnadviseDropsBatchesAlreadyPosted) {
    ULONG_PTR connection = 0;
    auto table = watchContacts(*sink.get(), &connection);
    savedContact("Ann", "Lee");
    ASSERT_EQ(table->Unadvise(connection), S_OK);
    EXPECT_EQ(table->Unadvise(connection), MAPI_E_NOT_FOUND);
    loop.runPending();
    EXPECT_TRUE(sink->batches.empty());

    // Releasing the table ends its connections too.
    auto other = watchContacts(*sink.get());
    savedContact("Bob", "Stone");
    other.reset();
    loop.runPending();
    EXPECT_TRUE(sink->batches.empty());

    // A table advised again is heard from again.
    auto again = watchContacts(*sink.get());
    savedContact("Carl", "Moss");
    loop.runPending();
    EXPECT_EQ(sink->batches.size(), 1u);
}

TEST_F(LocalStoreNotifications, OtherFoldersTablesAreNotDisturbed) {
    auto table = watchContacts(*sink.get());
    auto task = createItem(olTaskItem);
    task->call("Save");
    loop.runPending();
    EXPECT_TRUE(sink->batches.empty());

    // A contact saved the same way does reach the table.
    auto contact = createItem(olContactItem);
    contact->put("FirstName", "Ann");
    contact->call("Save");
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_ROW_ADDED);
}

TEST_F(LocalStoreNotifications, AMoveIsARemovalHereAndAnAdditionThere) {
    auto contact = savedContact("Ann", "Lee");
    auto table = watchContacts(*sink.get());
    auto deletedSink = makeCom<RecordingSink>();
    auto deletedTable = contentsOf(FolderKind::DeletedItems);
    ULONG_PTR connection = 0;
    ASSERT_EQ(deletedTable->Advise(fnevTableModified, deletedSink.get(), connection), S_OK);
    contact->call("Delete");
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_ROW_DELETED);
    ASSERT_EQ(deletedSink->batches.size(), 1u);
    EXPECT_EQ(deletedSink->batches[0][0].tab.ulTableEvent, TABLE_ROW_ADDED);
}

TEST_F(LocalStoreNotifications, ThreadSinksPostTheirCallsToTheLoop) {
    ComPtr<IMAPIAdviseSink> wrapped;
    ASSERT_EQ(outlook().mapi().HrThisThreadAdviseSink(sink.get(), wrapped), S_OK);
    EXPECT_EQ(outlook().mapi().HrThisThreadAdviseSink(nullptr, wrapped), MAPI_E_INVALID_PARAMETER);
    NOTIFICATION n;
    n.ulEventType = fnevTableModified;
    n.tab.ulTableEvent = TABLE_RELOAD;
    wrapped->OnNotify(1, &n);
    EXPECT_TRUE(sink->batches.empty());
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_RELOAD);
    void* same = nullptr;
    EXPECT_EQ(wrapped->QueryInterface(IID_IMAPIAdviseSink, &same), S_OK);
    static_cast<IUnknown*>(same)->Release();
}

TEST_F(LocalStoreNotifications, AnotherProcesssChangeArrivesAsTableChanged) {
    auto table = watchContacts(*sink.get());
    auto addressSink = makeCom<RecordingSink>();
    ULONG type = 0;
    ComPtr<IUnknown> root;
    ASSERT_EQ(addressBook->OpenEntry({}, nullptr, 0, type, root), S_OK);
    ComPtr<IMAPITable> addressTable;
    ASSERT_EQ(ComCast<IMAPIContainer>(root)->GetContentsTable(0, addressTable), S_OK);
    ULONG_PTR connection = 0;
    ASSERT_EQ(addressTable->Advise(fnevTableModified, addressSink.get(), connection), S_OK);

    // A second connection to the same file, with a loop of its own, stands in for the
    // other process.
    jotwise::testing::ManualEventLoop otherLoop;
    MemoryRegistry otherRegistry;
    std::string error;
    auto other = LocalOutlook::open(dbPath(), otherRegistry, otherLoop, &error);
    ASSERT_TRUE(other) << error;
    auto app = other->automation().createObject("Outlook.Application");
    auto contact = app->call("CreateItem", {olContactItem}).asObject();
    contact->put("LastName", "Elsewhere");
    contact->call("Save");

    loop.advance(std::chrono::milliseconds(400));
    EXPECT_TRUE(sink->batches.empty());
    loop.advance(std::chrono::milliseconds(200));
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_CHANGED);
    ASSERT_EQ(addressSink->batches.size(), 1u);
    EXPECT_EQ(addressSink->batches[0][0].tab.ulTableEvent, TABLE_CHANGED);
    // Nothing more until the next change.
    loop.advance(std::chrono::milliseconds(2000));
    EXPECT_EQ(sink->batches.size(), 1u);
    // The table shows the other process's row.
    ULONG count = 0;
    ASSERT_EQ(table->GetRowCount(0, count), S_OK);
    EXPECT_EQ(count, 1u);
}

}  // namespace
}  // namespace outlook::local::testing
