#include <gtest/gtest.h>

#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "tests/support/mapi_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace mapi;

// An address dialog driven by the test: it records what it was shown and answers with
// the scripted result.
class ScriptedAddressDialog : public AddressDialog {
public:
    HRESULT address(const ADRPARM& parameters, const RowSet& entries, ADRLIST& list) override {
        shownCaption = parameters.lpszCaption;
        shownEntries = entries;
        if (cancel) return MAPI_E_USER_CANCEL;
        list = answer;
        return S_OK;
    }
    bool cancel = false;
    ADRLIST answer;
    std::string shownCaption;
    RowSet shownEntries;
};

class LocalStoreAddressBook : public MapiFixture {
protected:
    std::int64_t addUser(const char* name, const char* email) {
        PropertyBag props;
        props.setString(PR_DISPLAY_NAME, name);
        props.setString(PR_EMAIL_ADDRESS, email);
        props.setString(PR_GIVEN_NAME, "Bob");
        props.setString(PR_SURNAME, "Stone");
        props.setString(PR_COMPANY_NAME, "Quarry Ltd");
        props.setString(PR_LOCALITY, "Leeds");
        props.setString(PR_COMMENT, "met at the fair");
        return store().addressBook().addMailUser(props);
    }
    ComPtr<IUnknown> open(const EntryId& id, ULONG& type) {
        ComPtr<IUnknown> object;
        EXPECT_EQ(addressBook->OpenEntry(id, nullptr, 0, type, object), S_OK);
        return object;
    }
    RowSet allEntries() {
        ULONG type = 0;
        ComPtr<IMAPITable> table;
        EXPECT_EQ(ComCast<IMAPIContainer>(open({}, type))->GetContentsTable(0, table), S_OK);
        EXPECT_EQ(type, MAPI_ABCONT);
        RowSet rows;
        EXPECT_EQ(HrQueryAllRows(table.get(), nullptr, 0, rows), S_OK);
        return rows;
    }
};

TEST_F(LocalStoreAddressBook, MailUsersOpenWithTheirPropertiesEntryIdFirst) {
    const auto row = addUser("Bob Stone", "bob@example.com");
    ULONG type = 0;
    auto user = ComCast<IMailUser>(open(store().entryId(EntryKind::MailUser, row), type));
    ASSERT_TRUE(user);
    EXPECT_EQ(type, MAPI_MAILUSER);
    PropValueArray props;
    ASSERT_EQ(user->GetProps(nullptr, 0, props), S_OK);
    EXPECT_EQ(props[0].ulPropTag, PR_ENTRYID);
    EXPECT_EQ(textOf(props, PR_DISPLAY_NAME), "Bob Stone");
    EXPECT_EQ(textOf(props, PR_ADDRTYPE), "SMTP");
    EXPECT_EQ(textOf(props, PR_EMAIL_ADDRESS), "bob@example.com");
    EXPECT_EQ(textOf(props, PR_COMPANY_NAME), "Quarry Ltd");
    EXPECT_EQ(textOf(props, PR_LOCALITY), "Leeds");
    EXPECT_EQ(textOf(props, PR_COMMENT), "met at the fair");
    EXPECT_EQ(user->SetProps({SPropValue::string(PR_COMMENT, "x")}), MAPI_E_NO_ACCESS);

    PropertyBag incomplete;
    incomplete.setString(PR_DISPLAY_NAME, "No Address");
    EXPECT_THROW(store().addressBook().addMailUser(incomplete), std::invalid_argument);
}

TEST_F(LocalStoreAddressBook, ListsHoldTheirMembersInOrder) {
    const auto bob = store().entryId(EntryKind::MailUser, addUser("Bob Stone", "bob@example.com"));
    auto ann = savedContact("Ann", "Lee", "ann@example.com");
    const EntryId annId = *FBinFromHex(ann->get("EntryID").asString());
    const auto list = store().addressBook().addDistList("Team", {annId, bob});
    ULONG type = 0;
    auto object = ComCast<IDistList>(open(store().entryId(EntryKind::DistList, list), type));
    ASSERT_TRUE(object);
    EXPECT_EQ(type, MAPI_DISTLIST);
    ComPtr<IMAPITable> members;
    ASSERT_EQ(object->GetContentsTable(0, members), S_OK);
    RowSet rows;
    ASSERT_EQ(HrQueryAllRows(members.get(), nullptr, 0, rows), S_OK);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(textOf(rows[0], PR_DISPLAY_NAME), "Ann Lee (E-mail)");
    EXPECT_EQ(textOf(rows[1], PR_DISPLAY_NAME), "Bob Stone");
    EXPECT_THROW(store().addressBook().addDistList("Bad", {store().itemEntryId(999)}),
                 std::invalid_argument);
}

TEST_F(LocalStoreAddressBook, ContactsWithAnAddressAreMailUsers) {
    addUser("Bob Stone", "bob@example.com");
    auto ann = savedContact("Ann", "Lee", "ann@example.com");
    savedContact("Carl", "Nomail");
    const RowSet rows = allEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(textOf(rows[0], PR_DISPLAY_NAME), "Bob Stone");
    EXPECT_EQ(textOf(rows[1], PR_DISPLAY_NAME), "Ann Lee (E-mail)");
    EXPECT_EQ(textOf(rows[1], PR_ADDRTYPE), "SMTP");

    ULONG type = 0;
    auto user = ComCast<IMailUser>(open(*FindProp(rows[1], PR_ENTRYID)->asBinary(), type));
    PropValueArray props;
    const PropTagArray tags = {PR_ORIGINAL_ENTRYID, PR_GIVEN_NAME, PR_SURNAME};
    ASSERT_EQ(user->GetProps(&tags, 0, props), S_OK);
    EXPECT_EQ(HexFromBin(*props[0].asBinary()), ann->get("EntryID").asString());
    EXPECT_EQ(props[1], SPropValue::string(PR_GIVEN_NAME, "Ann"));

    // A contact moved out of Contacts leaves the address book.
    ann->call("Delete");
    EXPECT_EQ(allEntries().size(), 1u);
}

TEST_F(LocalStoreAddressBook, EntryIdsCompareByWhatTheyName) {
    const auto bob = store().entryId(EntryKind::MailUser, addUser("Bob Stone", "bob@example.com"));
    ULONG same = 2;
    ASSERT_EQ(addressBook->CompareEntryIDs(bob, bob, 0, same), S_OK);
    EXPECT_EQ(same, 1u);
    ASSERT_EQ(addressBook->CompareEntryIDs(bob, store().entryId(EntryKind::MailUser, 999), 0, same),
              S_OK);
    EXPECT_EQ(same, 0u);
    ASSERT_EQ(addressBook->CompareEntryIDs({1, 2}, {1, 2}, 0, same), S_OK);
    EXPECT_EQ(same, 1u);
    ULONG type = 0;
    ComPtr<IUnknown> object;
    EXPECT_EQ(
        addressBook->OpenEntry(store().entryId(EntryKind::MailUser, 999), nullptr, 0, type, object),
        MAPI_E_NOT_FOUND);
    EXPECT_EQ(addressBook->OpenEntry({9, 9}, nullptr, 0, type, object), MAPI_E_INVALID_ENTRYID);
}

TEST_F(LocalStoreAddressBook, TheDialogIsReachedThroughItsInterface) {
    ADRPARM parameters;
    parameters.lpszCaption = "Choose";
    ADRLIST list(1);
    list[0].rgPropVals = {SPropValue::string(PR_DISPLAY_NAME, "kept")};
    EXPECT_EQ(addressBook->Address(nullptr, parameters, list), MAPI_E_NO_SUPPORT);

    addUser("Bob Stone", "bob@example.com");
    ScriptedAddressDialog dialog;
    outlook().setAddressDialog(&dialog);
    dialog.cancel = true;
    EXPECT_EQ(addressBook->Address(nullptr, parameters, list), MAPI_E_USER_CANCEL);
    EXPECT_EQ(textOf(list[0].rgPropVals, PR_DISPLAY_NAME), "kept");
    EXPECT_EQ(dialog.shownCaption, "Choose");
    ASSERT_EQ(dialog.shownEntries.size(), 1u);
    EXPECT_EQ(textOf(dialog.shownEntries[0], PR_EMAIL_ADDRESS), "bob@example.com");

    dialog.cancel = false;
    dialog.answer.resize(1);
    dialog.answer[0].rgPropVals = {*FindProp(dialog.shownEntries[0], PR_ENTRYID),
                                   SPropValue::string(PR_DISPLAY_NAME, "Bob Stone"),
                                   SPropValue::integer(PR_RECIPIENT_TYPE, MAPI_TO)};
    EXPECT_EQ(addressBook->Address(nullptr, parameters, list), S_OK);
    EXPECT_EQ(textOf(list[0].rgPropVals, PR_DISPLAY_NAME), "Bob Stone");
    outlook().setAddressDialog(nullptr);
}

TEST_F(LocalStoreAddressBook, AddressBookTablesHearOfNewEntries) {
    ULONG type = 0;
    ComPtr<IMAPITable> table;
    ASSERT_EQ(ComCast<IMAPIContainer>(open({}, type))->GetContentsTable(0, table), S_OK);
    auto sink = makeCom<RecordingSink>();
    ULONG_PTR connection = 0;
    ASSERT_EQ(table->Advise(fnevTableModified, sink.get(), connection), S_OK);
    addUser("Bob Stone", "bob@example.com");
    savedContact("Ann", "Lee", "ann@example.com");
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 2u);
    EXPECT_EQ(sink->batches[0][0].tab.ulTableEvent, TABLE_CHANGED);
}

}  // namespace
}  // namespace outlook::local::testing
