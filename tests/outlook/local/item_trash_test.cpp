#include "outlook/local/item_trash.h"

#include <gtest/gtest.h>

#include "outlook/local/explorer_contents.h"
#include "outlook/local/store/deleted_from_property.h"
#include "outlook/local/store/store.h"
#include "outlook/local/trash_actions.h"
#include "tests/support/local_store_fixture.h"
#include "tests/support/null_message_boxes.h"

namespace outlook::local::testing {
namespace {

class ItemTrashTest : public LocalStoreFixture {
protected:
    ItemTrash& trash() {
        if (!trash_) trash_ = std::make_unique<ItemTrash>(outlook().store(), mapiNamespace());
        return *trash_;
    }
    std::string saved(std::int32_t type, const char* subject) {
        auto item = createItem(type);
        item->put(type == olNoteItem ? "Body" : "Subject", subject);
        item->call("Save");
        return item->get("EntryID").asString();
    }
    // The folder the store has the item in, by name; "" when it is gone.
    std::string folderOf(const std::string& entryId) {
        const auto ref = store().parse(*mapi::FBinFromHex(entryId));
        const auto folder = store().folderOfItem(ref->row);
        return folder ? store().folderById(*folder)->name : "";
    }
    PropertyBag propsOf(const std::string& entryId) {
        const auto ref = store().parse(*mapi::FBinFromHex(entryId));
        return store().loadItem(ref->row)->props;
    }

private:
    std::unique_ptr<ItemTrash> trash_;
};

TEST_F(ItemTrashTest, DeletedItemsKeepTheirFolderAndRestoreReturnsThem) {
    const std::string lunch = saved(olAppointmentItem, "Lunch");
    const std::string budget = saved(olTaskItem, "Budget");
    const std::string code = saved(olNoteItem, "Door code");
    // A store that never deleted anything has no id for the property.
    EXPECT_EQ(findDeletedFromTag(store()), std::nullopt);

    const TrashOutcome deleted = trash().moveToDeletedItems({lunch, budget, code});
    ASSERT_TRUE(deleted.done()) << deleted.error;
    ASSERT_EQ(deleted.items.size(), 3u);
    EXPECT_EQ(deleted.items[1].title, "Budget");
    EXPECT_EQ(deleted.items[1].kind, "Task");
    EXPECT_EQ(deleted.items[1].from, "Tasks");
    EXPECT_EQ(deleted.items[1].to, "Deleted Items");
    for (const auto& id : {lunch, budget, code})
        EXPECT_EQ(folderOf(id), "Deleted Items");
    EXPECT_EQ(deletedFrom(store(), propsOf(budget)), FolderKind::Tasks);
    // Deleted Items says where each would go back to.
    const auto row = listRow(FolderKind::DeletedItems, store(), 1, propsOf(lunch), {});
    EXPECT_EQ(row.cells[2].text, "Calendar");

    const TrashOutcome restored = trash().restore({budget, code, lunch});
    ASSERT_TRUE(restored.done()) << restored.error;
    EXPECT_EQ(folderOf(lunch), "Calendar");
    EXPECT_EQ(folderOf(budget), "Tasks");
    EXPECT_EQ(folderOf(code), "Notes");
    EXPECT_EQ(restored.items[0].to, "Tasks");
    // Back in its folder, the item no longer says where it was deleted from.
    EXPECT_EQ(deletedFrom(store(), propsOf(lunch)), std::nullopt);
}

TEST_F(ItemTrashTest, AnItemThatDoesNotSayWhereItCameFromGoesToItsKindsFolder) {
    const std::string budget = saved(olTaskItem, "Budget");
    const auto ref = store().parse(*mapi::FBinFromHex(budget));
    // Moved there as an older version did, without the property.
    store().moveItem(ref->row, store().folder(FolderKind::DeletedItems).id);
    EXPECT_EQ(
        listRow(FolderKind::DeletedItems, store(), ref->row, propsOf(budget), {}).cells[2].text,
        "(Tasks)");
    ASSERT_TRUE(trash().restore({budget}).done());
    EXPECT_EQ(folderOf(budget), "Tasks");
}

TEST_F(ItemTrashTest, UndoBringsBackWhatTheLastDeleteMoved) {
    const std::string first = saved(olAppointmentItem, "First");
    const std::string second = saved(olAppointmentItem, "Second");
    const std::string third = saved(olContactItem, "");
    EXPECT_FALSE(trash().canUndo());
    ASSERT_TRUE(trash().moveToDeletedItems({first}).done());
    ASSERT_TRUE(trash().moveToDeletedItems({second, third}).done());
    EXPECT_TRUE(trash().canUndo());

    const TrashOutcome undone = trash().undo();
    ASSERT_TRUE(undone.done()) << undone.error;
    EXPECT_EQ(undone.items.size(), 2u);
    EXPECT_EQ(folderOf(second), "Calendar");
    EXPECT_EQ(folderOf(third), "Contacts");
    EXPECT_EQ(folderOf(first), "Deleted Items");
    // One undo: the delete before it stays.
    EXPECT_FALSE(trash().canUndo());
    EXPECT_FALSE(trash().undo().done());
    EXPECT_EQ(folderOf(first), "Deleted Items");

    // What is no longer in Deleted Items is left where it is.
    ASSERT_TRUE(trash().restore({first}).done());
    ASSERT_TRUE(trash().moveToDeletedItems({first, second}).done());
    ASSERT_TRUE(trash().removePermanently({first}).done());
    ASSERT_TRUE(trash().undo().done());
    EXPECT_EQ(folderOf(second), "Calendar");
    EXPECT_EQ(folderOf(first), "");
}

TEST_F(ItemTrashTest, RemovingForGoodAndEmptyingLeaveNothing) {
    const std::string lunch = saved(olAppointmentItem, "Lunch");
    const std::string budget = saved(olTaskItem, "Budget");
    const std::string code = saved(olNoteItem, "Door code");
    // From any folder, and from Deleted Items.
    ASSERT_TRUE(trash().moveToDeletedItems({budget}).done());
    const TrashOutcome removed = trash().removePermanently({lunch, budget});
    ASSERT_TRUE(removed.done()) << removed.error;
    EXPECT_EQ(removed.items[0].to, "");
    EXPECT_EQ(folderOf(lunch), "");
    EXPECT_EQ(folderOf(budget), "");
    EXPECT_EQ(countIn(olFolderDeletedItems), 0);

    ASSERT_TRUE(trash().moveToDeletedItems({code}).done());
    ASSERT_TRUE(trash().moveToDeletedItems({saved(olTaskItem, "Fair")}).done());
    const TrashOutcome emptied = trash().emptyDeletedItems();
    ASSERT_TRUE(emptied.done()) << emptied.error;
    EXPECT_EQ(emptied.items.size(), 2u);
    EXPECT_EQ(countIn(olFolderDeletedItems), 0);
    EXPECT_FALSE(trash().canUndo());
}

TEST_F(ItemTrashTest, ARefusedActionChangesNothing) {
    const std::string lunch = saved(olAppointmentItem, "Lunch");
    const std::string budget = saved(olTaskItem, "Budget");
    const std::string calendarId = defaultFolder(olFolderCalendar)->get("EntryID").asString();
    for (const std::string& wrong : {std::string("00AA"), calendarId, std::string("")}) {
        const TrashOutcome refused = trash().moveToDeletedItems({lunch, wrong});
        EXPECT_FALSE(refused.done()) << wrong;
        EXPECT_NE(refused.error.find("Nothing was changed"), std::string::npos) << refused.error;
        EXPECT_EQ(folderOf(lunch), "Calendar");
    }
    EXPECT_FALSE(trash().removePermanently({lunch, "00AA"}).done());
    EXPECT_EQ(folderOf(lunch), "Calendar");

    // Restore takes only what is in Deleted Items; Delete only what is not.
    ASSERT_TRUE(trash().moveToDeletedItems({budget}).done());
    const TrashOutcome notDeleted = trash().restore({budget, lunch});
    EXPECT_EQ(notDeleted.error,
              "\u201CLunch\u201D is not in Deleted Items but in Calendar. Nothing "
              "was changed.");
    EXPECT_EQ(folderOf(budget), "Deleted Items");
    EXPECT_FALSE(trash().moveToDeletedItems({lunch, budget}).done());
    EXPECT_EQ(folderOf(lunch), "Calendar");
    EXPECT_EQ(folderOf(budget), "Deleted Items");
}

TEST_F(ItemTrashTest, DeleteWritesOnlyWhereTheItemWentAndTrustsTheStoreOverTheObject) {
    auto lunch = createItem(olAppointmentItem);
    lunch->put("Subject", "Lunch");
    lunch->call("Save");
    const std::string id = lunch->get("EntryID").asString();
    lunch->put("Subject", "Edited, not saved");
    lunch->call("Delete");
    EXPECT_EQ(propsOf(id).string(mapi::PR_SUBJECT), "Lunch");

    // Restored by someone else meanwhile, the item is in Calendar again: a second Delete on the
    // old object moves it to Deleted Items once more rather than removing it for good.
    ASSERT_TRUE(trash().restore({id}).done());
    lunch->call("Delete");
    EXPECT_EQ(folderOf(id), "Deleted Items");
    EXPECT_EQ(deletedFrom(store(), propsOf(id)), FolderKind::Calendar);
}

TEST_F(ItemTrashTest, TheExplorersActionsAskBeforeWhatCannotBeUndone) {
    jotwise::testing::NullMessageBoxes boxes;
    TrashActions actions(trash(), boxes);
    const std::string lunch = saved(olAppointmentItem, "Lunch");
    const std::string budget = saved(olTaskItem, "Budget");
    EXPECT_EQ(actions.remove(FolderKind::Calendar, {lunch}),
              "\u201CLunch\u201D moved to Deleted Items; Undo brings it back");
    EXPECT_EQ(boxes.shown, 0);
    EXPECT_EQ(actions.undo(), "\u201CLunch\u201D restored to Calendar");
    EXPECT_EQ(actions.remove(FolderKind::Calendar, {lunch, budget}),
              "2 items moved to Deleted Items; Undo brings them back");

    // In Deleted Items, Delete is for good, and only after Yes.
    boxes.answer = platform::MessageAnswer::No;
    EXPECT_EQ(actions.remove(FolderKind::DeletedItems, {lunch}), "");
    EXPECT_EQ(boxes.lastText, "Delete \u201CLunch\u201D for good?\n\nThis cannot be undone.");
    EXPECT_EQ(folderOf(lunch), "Deleted Items");
    boxes.answer = platform::MessageAnswer::Yes;
    EXPECT_EQ(actions.remove(FolderKind::DeletedItems, {lunch}),
              "\u201CLunch\u201D deleted for good");
    EXPECT_EQ(folderOf(lunch), "");

    EXPECT_EQ(actions.restore({budget}), "\u201CBudget\u201D restored to Tasks");
    EXPECT_EQ(actions.emptyDeletedItems(0), "Deleted Items is empty.");
    ASSERT_TRUE(trash().moveToDeletedItems({budget}).done());
    boxes.answer = platform::MessageAnswer::No;
    EXPECT_EQ(actions.emptyDeletedItems(1), "");
    EXPECT_EQ(folderOf(budget), "Deleted Items");
    boxes.answer = platform::MessageAnswer::Yes;
    EXPECT_EQ(actions.emptyDeletedItems(1), "\u201CBudget\u201D deleted for good");
    EXPECT_EQ(boxes.lastText,
              "Delete the item in Deleted Items for good?\n\nThis cannot be undone.");
}

}  // namespace
}  // namespace outlook::local::testing
