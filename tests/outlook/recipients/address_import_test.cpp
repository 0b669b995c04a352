#include "outlook/recipients/address_import.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outlook/local/address_dialog.h"
#include "outlook/local/mapi/com_object.h"
#include "outlook/local/sqlite/database.h"
#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/store.h"
#include "tests/support/address_entries.h"
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
    mapi::Row picked;
    mapi::HRESULT address(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                          mapi::ADRLIST& list) override {
        shown = parameters;
        for (const auto& row : entries) {
            const auto* name = mapi::FindProp(row, mapi::PR_DISPLAY_NAME);
            if (name && name->asString8() && *name->asString8() == pick) {
                picked = row;
                list = {mapi::ADRENTRY{row}};
                return mapi::S_OK;
            }
        }
        return mapi::MAPI_E_USER_CANCEL;
    }
};

// A mail user of another address book: fixed properties, read-only.
class FixedMailUser : public local::ComObject<mapi::IMailUser> {
public:
    explicit FixedMailUser(mapi::PropValueArray props) : props_(std::move(props)) {}
    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG,
                           mapi::PropValueArray& values) override {
        if (tags) return mapi::MAPI_E_NO_SUPPORT;
        values = props_;
        return mapi::S_OK;
    }
    mapi::HRESULT SetProps(const mapi::PropValueArray&) override { return mapi::MAPI_E_NO_ACCESS; }
    mapi::HRESULT DeleteProps(const mapi::PropTagArray&) override { return mapi::MAPI_E_NO_ACCESS; }
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>&, mapi::ULONG,
                                  mapi::PropTagArray&) override {
        return mapi::MAPI_E_NO_SUPPORT;
    }
    mapi::HRESULT SaveChanges(mapi::ULONG) override { return mapi::MAPI_E_NO_ACCESS; }

private:
    mapi::PropValueArray props_;
};

using jotwise::testing::MockMessageBoxes;
using jotwise::testing::textOf;

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

    std::int32_t contactCount() { return folderItems(olFolderContacts)->get("Count").asInt(); }

    // The stored contact, opened through the messaging interface.
    mapi::ComPtr<mapi::IMessage> storedContact(const std::string& key) {
        const std::optional<mapi::Binary> id = mapi::FBinFromHex(key);
        mapi::ULONG type = 0;
        mapi::ComPtr<mapi::IUnknown> opened;
        if (!id || !session->ContactsFolder() ||
            mapi::Failed(session->ContactsFolder()->OpenEntry(*id, nullptr, 0, type, opened)))
            return {};
        return mapi::ComCast<mapi::IMessage>(opened);
    }

    // The stored values of `tags`, with an error value for each the contact lacks.
    mapi::PropValueArray storedProps(const std::string& key, const mapi::PropTagArray& tags) {
        mapi::PropValueArray values;
        const auto message = storedContact(key);
        EXPECT_TRUE(message);
        if (message) {
            EXPECT_EQ(message->GetProps(&tags, 0, values), mapi::S_OK);
        }
        return values;
    }

    // The contact's first e-mail address as the import writes it: address type, address,
    // display name and the address book entry's id, in that order.
    mapi::PropValueArray storedEMail(const std::string& key) {
        const auto message = storedContact(key);
        EXPECT_TRUE(message);
        if (!message) return {};
        std::vector<mapi::MAPINAMEID> names;
        for (std::int32_t id : {0x8082, 0x8083, 0x8084, 0x8085})
            names.push_back({mapi::PSETID_Address, mapi::MNID_ID, id, {}});
        mapi::PropTagArray tags;
        EXPECT_EQ(message->GetIDsFromNames(names, 0, tags), mapi::S_OK);
        if (tags.size() != names.size()) return {};
        tags = {mapi::CHANGE_PROP_TYPE(tags[0], mapi::PT_STRING8),
                mapi::CHANGE_PROP_TYPE(tags[1], mapi::PT_STRING8),
                mapi::CHANGE_PROP_TYPE(tags[2], mapi::PT_STRING8),
                mapi::CHANGE_PROP_TYPE(tags[3], mapi::PT_BINARY)};
        mapi::PropValueArray values;
        EXPECT_EQ(message->GetProps(&tags, 0, values), mapi::S_OK);
        return values;
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

// The session finds an imported entry's contact by the entry's id when it loads the
// contacts, so the same entry is not imported twice in two runs.
TEST_F(AddressImportTest, AnImportedEntryIsKnownAgainAfterReconnecting) {
    dialog.pick = "Carol Jones";
    TContact* first = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, first, boxes));
    ASSERT_NE(first, nullptr);
    const mapi::SPropValue* entryId = mapi::FindProp(dialog.picked, mapi::PR_ENTRYID);
    ASSERT_TRUE(entryId && entryId->asBinary());
    const mapi::Binary carol = *entryId->asBinary();
    EXPECT_EQ(storedProps(first->Key(), {mapi::PR_ORIGINAL_ENTRYID}),
              (mapi::PropValueArray{mapi::SPropValue::binary(mapi::PR_ORIGINAL_ENTRYID, carol)}));

    InstallDataStore(nullptr);
    session.reset();
    Prs_ResetParseDll();
    ASSERT_EQ(connect(), 0) << session->LastError();
    EXPECT_NE(session->FindContactByOriginalEntryID(carol), nullptr);
    TContact* second = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, second, boxes));
    EXPECT_EQ(contactCount(), 1);
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

bool isError(const mapi::SPropValue& value) {
    return mapi::PROP_TYPE(value.ulPropTag) == mapi::PT_ERROR;
}

TEST_F(AddressImportTest, TheStoredContactKeepsTheEntrysIdSubjectAndTitle) {
    dialog.pick = "Carol Jones";
    TContact* contact = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, contact, boxes));
    ASSERT_NE(contact, nullptr);
    const mapi::SPropValue* entryId = mapi::FindProp(dialog.picked, mapi::PR_ENTRYID);
    ASSERT_TRUE(entryId && entryId->asBinary());
    const mapi::Binary carol = *entryId->asBinary();

    EXPECT_EQ(contactItem(contact->Key())->get("Subject").asString(), "Carol Jones");
    const mapi::PropValueArray stored =
        storedProps(contact->Key(), {mapi::PR_SUBJECT, mapi::PR_TITLE});
    EXPECT_EQ(textOf(stored, mapi::PR_SUBJECT), "Carol Jones");
    EXPECT_EQ(textOf(stored, mapi::PR_TITLE), "Buyer");

    const mapi::PropValueArray eMail = storedEMail(contact->Key());
    ASSERT_EQ(eMail.size(), 4u);
    EXPECT_EQ(eMail[0].value, mapi::SPropValue::Value(std::string("SMTP")));
    EXPECT_EQ(eMail[1].value, mapi::SPropValue::Value(std::string("carol@example.com")));
    EXPECT_EQ(eMail[2].value, mapi::SPropValue::Value(std::string("Carol Jones")));
    EXPECT_EQ(eMail[3].value, mapi::SPropValue::Value(carol)) << "the entry it was made from";
}

TEST_F(AddressImportTest, AnEntryWithoutAnEMailAddressIsImportedWithoutOne) {
    mapi::Row entry = jotwise::testing::bookEntry(7, "Night Porter", "");
    entry.push_back(mapi::SPropValue::string(mapi::PR_BUSINESS_TELEPHONE_NUMBER, "555 0100"));
    auto porter = local::makeCom<FixedMailUser>(entry);
    TContact* contact = nullptr;
    ASSERT_EQ(ImportMailUser(*session, *porter, contact), mapi::S_OK);
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(session->FindContact(contact->Key()), contact);
    EXPECT_EQ(contact->FileAs(), "Night Porter");
    EXPECT_EQ(contact->OriginalEntryId(), (mapi::Binary{0xAB, 7}));

    EXPECT_EQ(contactItem(contact->Key())->get("Email1Address").asString(), "");
    for (const mapi::SPropValue& value : storedEMail(contact->Key()))
        EXPECT_TRUE(isError(value)) << "no e-mail property is set: " << std::hex << value.ulPropTag;
    const mapi::PropValueArray stored = storedProps(
        contact->Key(),
        {mapi::PR_ADDRTYPE, mapi::PR_EMAIL_ADDRESS, mapi::PR_BUSINESS_TELEPHONE_NUMBER});
    EXPECT_TRUE(isError(stored[0])) << "the address type stays with the address";
    EXPECT_TRUE(isError(stored[1]));
    EXPECT_EQ(textOf(stored, mapi::PR_BUSINESS_TELEPHONE_NUMBER), "555 0100");
}

TEST_F(AddressImportTest, ContactNotificationsAreBackOnAfterAnImport) {
    dialog.pick = "Carol Jones";
    TContact* contact = nullptr;
    ASSERT_TRUE(ImportAddress(*session, &window, contact, boxes));
    ASSERT_NE(contact, nullptr);
    settle();
    const std::string dan = addContact("Dan", "Ross");
    settle();
    EXPECT_NE(session->FindContact(dan), nullptr);
}

TEST_F(AddressImportTest, AFailedImportIsReportedAndNotificationsComeBackOn) {
    // The store refuses the job title, which only the messaging interface writes: the
    // object model has saved the contact by then.
    outlook->store()->db().exec(
        "CREATE TEMP TRIGGER refuse_title BEFORE INSERT ON props WHEN NEW.tag = " +
        std::to_string(mapi::PR_TITLE) + " BEGIN SELECT RAISE(ABORT, 'no titles'); END");
    dialog.pick = "Carol Jones";
    EXPECT_CALL(boxes, show("Add Contact",
                            "An error occurred when attempting to add the selected entry to the "
                            "Contacts folder",
                            platform::MessageIcon::None, platform::MessageButtons::Ok))
        .WillOnce(Return(platform::MessageAnswer::Ok));
    TContact* contact = nullptr;
    EXPECT_TRUE(ImportAddress(*session, &window, contact, boxes));
    EXPECT_EQ(contact, nullptr);
    EXPECT_FALSE(testing::isAlias("carol jones"));
    ::testing::Mock::VerifyAndClearExpectations(&boxes);

    settle();
    const std::string dan = addContact("Dan", "Ross");
    settle();
    EXPECT_NE(session->FindContact(dan), nullptr);
}

}  // namespace
}  // namespace outlook
