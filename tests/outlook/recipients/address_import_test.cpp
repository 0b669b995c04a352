#include "outlook/recipients/address_import.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outlook/local/address_dialog.h"
#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/store.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

using ::testing::_;
using ::testing::Return;

// Picks the address-book entry with the given display name, or cancels.
class PickingDialog : public local::AddressDialog {
public:
    std::string pick;
    mapi::ADRPARM shown;
    mapi::HRESULT address(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                          mapi::ADRLIST& list) override {
        shown = parameters;
        for (const auto& row : entries) {
            const auto* name = mapi::FindProp(row, mapi::PR_DISPLAY_NAME);
            if (name && name->asString8() && *name->asString8() == pick) {
                list = {mapi::ADRENTRY{row}};
                return mapi::S_OK;
            }
        }
        return mapi::MAPI_E_USER_CANCEL;
    }
};

using jotwise::testing::MockMessageBoxes;

class AddressImportTest : public testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        local::PropertyBag carol;
        carol.setString(mapi::PR_DISPLAY_NAME, "Carol Jones");
        carol.setString(mapi::PR_ADDRTYPE, "SMTP");
        carol.setString(mapi::PR_EMAIL_ADDRESS, "carol@example.com");
        carol.setString(mapi::PR_GIVEN_NAME, "Carol");
        carol.setString(mapi::PR_SURNAME, "Jones");
        carol.setString(mapi::PR_COMPANY_NAME, "Acme");
        carol.setString(mapi::PR_LOCALITY, "Springfield");
        carol.setString(mapi::PR_POSTAL_CODE, "12345");
        carol.setString(mapi::PR_COMMENT, "met at the fair");
        carol.setString(mapi::PR_TITLE, "Buyer");
        outlook->store()->addressBook().addMailUser(carol);
        local::PropertyBag bare;
        bare.setString(mapi::PR_DISPLAY_NAME, "Front Desk");
        bare.setString(mapi::PR_ADDRTYPE, "SMTP");
        bare.setString(mapi::PR_EMAIL_ADDRESS, "desk@example.com");
        outlook->store()->addressBook().addMailUser(bare);
        outlook->store()->addressBook().addDistList("Team", {});
        ASSERT_EQ(connect(), 0) << session->LastError();
        outlook->setAddressDialog(&dialog);
    }
    void TearDown() override { outlook->setAddressDialog(nullptr); }

    std::int32_t contactCount() {
        return application()
            ->call("GetNamespace", {"MAPI"})
            .asObject()
            ->call("GetDefaultFolder", {olFolderContacts})
            .asObject()
            ->get("Items")
            .asObject()
            ->get("Count")
            .asInt();
    }

    PickingDialog dialog;
    ::testing::StrictMock<MockMessageBoxes> boxes;
    mapi::ULONG_PTR window = 0;
};

TEST_F(AddressImportTest, AMailUserBecomesAContactAndAKeyword) {
    dialog.pick = "Carol Jones";
    TContact* contact = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, contact, boxes));
    EXPECT_EQ(dialog.shown.ulFlags, 0x39u);
    EXPECT_EQ(dialog.shown.lpszCaption, "Import Address into Contacts Folder");
    EXPECT_EQ(dialog.shown.lpszNewEntryTitle, "New Address");
    EXPECT_EQ(dialog.shown.cDestFields, 0u);

    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(session->FindContact(contact->Key()), contact);
    EXPECT_EQ(contact->FileAs(), "Jones, Carol");
    EXPECT_EQ(contact->keywordCount, 1);
    EXPECT_TRUE(testing::isAlias("carol jones"));
    EXPECT_EQ(Prs_IsContact(contact->Key().c_str()), 1);
    EXPECT_EQ(listener.told.back(), (testing::RecordingListener::Told{contact->Key(), ""}));

    const DispatchPtr item = contactItem(contact->Key());
    EXPECT_EQ(item->get("FullName").asString(), "Carol Jones");
    EXPECT_EQ(item->get("FileAs").asString(), "Jones, Carol");
    EXPECT_EQ(item->get("CompanyName").asString(), "Acme");
    EXPECT_EQ(item->get("Body").asString(), "met at the fair");
    EXPECT_EQ(item->get("BusinessAddressCity").asString(), "Springfield");
    EXPECT_EQ(item->get("BusinessAddressPostalCode").asString(), "12345");
    EXPECT_EQ(item->get("SelectedMailingAddress").asInt(), 2);
    EXPECT_EQ(item->get("Email1Address").asString(), "carol@example.com");
    ASSERT_TRUE(contact->OriginalEntryId());

    // The store's own report of the new contact arrives while notifications are off.
    const std::size_t told = listener.told.size();
    settle();
    EXPECT_EQ(listener.told.size(), told);
    EXPECT_EQ(session->Contacts().size(), 1u);
}

TEST_F(AddressImportTest, TheSameEntryIsNotImportedTwice) {
    dialog.pick = "Carol Jones";
    TContact* first = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, first, boxes));
    const std::int32_t contacts = contactCount();
    TContact* second = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, second, boxes));
    EXPECT_EQ(second, first);
    EXPECT_EQ(contactCount(), contacts);
}

TEST_F(AddressImportTest, AnEntryWithOnlyADisplayNameIsFiledUnderIt) {
    dialog.pick = "Front Desk";
    TContact* contact = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, contact, boxes));
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->FileAs(), "Front Desk");
    EXPECT_EQ(contactItem(contact->Key())->get("FullName").asString(), "Front Desk");
    EXPECT_TRUE(testing::isAlias("front desk"));
}

TEST_F(AddressImportTest, ListsAreRefusedAndCancellingImportsNothing) {
    dialog.pick = "Team";
    EXPECT_CALL(boxes,
                show("Import Contact", "Distribution lists cannot be added to the Contacts folder",
                     platform::MessageIcon::None, platform::MessageButtons::Ok))
        .WillOnce(Return(platform::MessageAnswer::Ok));
    TContact* contact = nullptr;
    EXPECT_TRUE(ImportAddress(*session, &window, contact, boxes));
    EXPECT_EQ(contact, nullptr);

    dialog.pick = "nobody";
    EXPECT_FALSE(ImportAddress(*session, &window, contact, boxes));
    EXPECT_EQ(contactCount(), 0);
}

}  // namespace
}  // namespace outlook
