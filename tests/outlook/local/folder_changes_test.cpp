#include <gtest/gtest.h>

#include "outlook/local/sqlite/database.h"
#include "outlook/local/store/folder_changes.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace mapi;

class FolderChangesTest : public LocalStoreFixture {
protected:
    std::int64_t folderId(FolderKind kind) { return store().folder(kind).id; }
    std::int64_t changed(FolderKind kind) {
        const auto time = store().folderChangeTime(folderId(kind));
        EXPECT_TRUE(time.has_value());
        return time ? time->ticks : 0;
    }
    ItemRecord saved(FolderKind kind, const std::string& subject) {
        ItemRecord record;
        record.folder = folderId(kind);
        record.props.setString(PR_MESSAGE_CLASS, "IPM.Contact");
        record.props.setString(PR_SUBJECT, subject);
        store().saveItem(record);
        return record;
    }
};

TEST_F(FolderChangesTest, AFoldersTimeMovesOnWithEveryChangeToItsItemsAndNoOtherFolders) {
    const std::int64_t calendar = changed(FolderKind::Calendar);
    std::int64_t contacts = changed(FolderKind::Contacts);
    auto movesOn = [&](const char* what) {
        const std::int64_t now = changed(FolderKind::Contacts);
        EXPECT_GT(now, contacts) << what;
        contacts = now;
    };

    ItemRecord ann = saved(FolderKind::Contacts, "Ann");
    movesOn("added");
    ann.props.setString(PR_SUBJECT, "Ann Lee");
    store().saveItem(ann);
    movesOn("a property written");
    ann.props.erase(PR_SUBJECT);
    store().saveItem(ann);
    movesOn("a property removed");

    const std::int64_t deleted = changed(FolderKind::DeletedItems);
    store().moveItem(ann.id, folderId(FolderKind::DeletedItems));
    movesOn("moved out");
    EXPECT_GT(changed(FolderKind::DeletedItems), deleted);
    store().moveItem(ann.id, folderId(FolderKind::Contacts));
    movesOn("moved back");
    store().deleteItem(ann.id);
    movesOn("deleted");
    EXPECT_EQ(changed(FolderKind::Calendar), calendar);

    // Another connection's change counts as well, as a program that knows nothing of the
    // times writes it.
    const ItemRecord bob = saved(FolderKind::Contacts, "Bob");
    movesOn("added again");
    {
        sqlite::Database other(dbPath(), sqlite::Database::Mode::ReadWrite);
        other.prepare("UPDATE props SET value = 'Bob Smith' WHERE item = ?").bind(1, bob.id).run();
    }
    movesOn("written by another connection");

    reopen();
    EXPECT_EQ(changed(FolderKind::Contacts), contacts);
    EXPECT_EQ(changed(FolderKind::Calendar), calendar);
}

TEST_F(FolderChangesTest, AStoreMadeWithoutTheTimesGetsThemWhenItIsOpenedAgain) {
    saved(FolderKind::Contacts, "Ann");
    reopen();
    {
        sqlite::Database db(dbPath(), sqlite::Database::Mode::ReadWrite);
        for (const char* trigger : {"item_added", "item_removed", "item_changed", "prop_added",
                                    "prop_changed", "prop_removed"})
            db.exec(std::string("DROP TRIGGER folder_changed_") + trigger);
        db.exec("DROP TABLE folder_changes");
        ASSERT_FALSE(folderChangesTracked(db));
        EXPECT_EQ(folderChangeTicks(db, 1), std::nullopt);
    }
    const std::int64_t first = changed(FolderKind::Contacts);
    EXPECT_GT(first, 0);
    saved(FolderKind::Contacts, "Bob");
    EXPECT_GT(changed(FolderKind::Contacts), first);
}

}  // namespace
}  // namespace outlook::local::testing
