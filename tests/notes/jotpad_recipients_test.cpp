// Picking a note's recipients in the address book: what Cancel and a dialog that cannot open
// leave of the recipients the text named.
#include "outlook/object_model.h"
#include "tests/support/note_fixture.h"

namespace notes::testing {
namespace {

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
    outlook::DispatchPtr sentItems() {
        return application()
            ->call("GetNamespace", {"MAPI"})
            .asObject()
            ->call("GetDefaultFolder", {outlook::olFolderSentMail})
            .asObject()
            ->get("Items")
            .asObject();
    }
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

}  // namespace
}  // namespace notes::testing
