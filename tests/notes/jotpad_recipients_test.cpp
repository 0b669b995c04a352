// Picking a note's recipients in the address book: what OK, Cancel and a dialog that cannot
// open leave of the recipients the text named and the user chose.
#include "outlook/object_model.h"
#include "tests/support/address_entries.h"
#include "tests/support/note_fixture.h"

namespace notes::testing {
namespace {

using jotwise::testing::recipientEntry;
using ::testing::_;
using ::testing::StartsWith;

class NoteRecipientsTest : public NoteTest {
protected:
    void SetUp() override {
        NoteTest::SetUp();
        setMemo("please ann lee call the bank");
        ASSERT_EQ(view.type, ItemType::TaskRequest);
        ASSERT_EQ(view.toNames, "Ann Lee ");
    }
    outlook::DispatchPtr sentItems() { return folderItems(outlook::olFolderOutbox); }
};

TEST_F(NoteRecipientsTest, CancelKeepsTheRecipientTheTextNames) {
    addressDialog.answer = mapi::MAPI_E_USER_CANCEL;
    note->imgMailClick();
    ASSERT_EQ(addressDialog.shown, 1);
    EXPECT_EQ(view.type, ItemType::TaskRequest);
    EXPECT_EQ(view.toNames, "Ann Lee ");
    EXPECT_FALSE(note->recipientsFromDialog);

    setMemo("please bob smith call the bank");
    EXPECT_EQ(view.toNames, "Bob Smith ") << "the text still decides the recipient";
}

TEST_F(NoteRecipientsTest, AnAddressBookThatCannotOpenLeavesTheRequestAsItWas) {
    outlook->setAddressDialog(nullptr);
    EXPECT_CALL(boxes, show(_, StartsWith("Unable to open the MAPI address book."), _, _));
    note->imgMailClick();
    EXPECT_TRUE(shadowView.enabled);
    EXPECT_EQ(view.toNames, "Ann Lee ");
    EXPECT_FALSE(note->recipientsFromDialog);

    note->btnSaveClick();
    const outlook::DispatchPtr sent = sentItems();
    ASSERT_EQ(sent->get("Count").asInt(), 1) << "the request was sent";
    EXPECT_EQ(sent->call("Item", {1}).asObject()->get("MessageClass").asString(),
              "IPM.TaskRequest");
}

TEST_F(NoteRecipientsTest, EntriesConfirmedInTheAddressBookAreTheUsers) {
    addressDialog.choice = {recipientEntry("Ann Lee", mapi::MAPI_TO),
                            recipientEntry("Bob Smith", mapi::MAPI_TO)};
    note->imgMailClick();
    ASSERT_EQ(addressDialog.shownList.size(), 1u) << "the dialog opens with the parsed contact";
    EXPECT_EQ(view.toNames, "Ann Lee Bob Smith ");
    setMemo("call the bank");
    EXPECT_EQ(view.toNames, "Ann Lee Bob Smith ") << "the text no longer decides them";
    EXPECT_EQ(view.type, ItemType::TaskRequest);

    // The parsed contact goes only when the user removes it in the dialog.
    setMemo("please ann lee call the bank");
    addressDialog.choice = {recipientEntry("Bob Smith", mapi::MAPI_TO)};
    note->imgMailClick();
    EXPECT_EQ(view.toNames, "Bob Smith ");
}

}  // namespace
}  // namespace notes::testing
