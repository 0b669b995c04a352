#include <gtest/gtest.h>

#include "outlook/local/store/file_time.h"
#include "outlook/local/store/known_properties.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "tests/support/mapi_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace mapi;

class LocalStoreMapi : public MapiFixture {};

TEST_F(LocalStoreMapi, LogonNeedsInitialisationWhichIsCounted) {
    auto& subsystem = outlook().mapi();
    ComPtr<IMAPISession> other;
    ASSERT_EQ(subsystem.MAPIInitialize(), S_OK);
    subsystem.MAPIUninitialize();
    EXPECT_EQ(subsystem.MAPILogonEx(0, nullptr, nullptr, 0, other), S_OK);  // one still held
    subsystem.MAPIUninitialize();
    EXPECT_EQ(subsystem.MAPILogonEx(0, nullptr, nullptr, 0, other), MAPI_E_NOT_INITIALIZED);
    subsystem.MAPIUninitialize();  // an extra one does no harm
    ASSERT_EQ(subsystem.MAPIInitialize(), S_OK);
}

TEST_F(LocalStoreMapi, EntriesOpenByTheIdsTheObjectModelGives) {
    auto folder = defaultFolder(olFolderContacts);
    ComPtr<IMsgStore> byId;
    ASSERT_EQ(session->OpenMsgStore(0, *FBinFromHex(folder->get("StoreID").asString()), nullptr,
                                    MDB_WRITE, byId),
              S_OK);
    ULONG type = 0;
    ComPtr<IUnknown> object;
    ASSERT_EQ(
        byId->OpenEntry(*FBinFromHex(folder->get("EntryID").asString()), nullptr, 0, type, object),
        S_OK);
    EXPECT_EQ(type, MAPI_FOLDER);
    PropValueArray props;
    const PropTagArray tags = {PR_DISPLAY_NAME, tags::PR_CONTENT_COUNT};
    ASSERT_EQ(ComCast<IMAPIFolder>(object)->GetProps(&tags, 0, props), S_OK);
    EXPECT_EQ(textOf(props, PR_DISPLAY_NAME), "Contacts");

    auto contact = savedContact("Ann", "Lee");
    EXPECT_TRUE(openMessage(contact->get("EntryID").asString()));

    // The store lists its default folders' ids.
    const PropTagArray storeTags = {tags::PR_IPM_CONTACT_ENTRYID};
    ASSERT_EQ(msgStore->GetProps(&storeTags, 0, props), S_OK);
    EXPECT_EQ(HexFromBin(*props[0].asBinary()), folder->get("EntryID").asString());
}

TEST_F(LocalStoreMapi, UnknownIdsAreNotFoundAndForeignOnesInvalid) {
    ULONG type = 0;
    ComPtr<IUnknown> object;
    EXPECT_EQ(msgStore->OpenEntry(store().itemEntryId(424242), nullptr, 0, type, object),
              MAPI_E_NOT_FOUND);
    EXPECT_EQ(msgStore->OpenEntry({1, 2, 3}, nullptr, 0, type, object), MAPI_E_INVALID_ENTRYID);
    StoreUid other{};
    other[0] = 1;
    const EntryId foreign = makeEntryId(EntryKind::Message, other, 1);
    EXPECT_EQ(msgStore->OpenEntry(foreign, nullptr, 0, type, object), MAPI_E_INVALID_ENTRYID);
    ComPtr<IMsgStore> none;
    EXPECT_EQ(session->OpenMsgStore(0, makeEntryId(EntryKind::Store, other, 0), nullptr, 0, none),
              MAPI_E_NOT_FOUND);
    ComPtr<IMsgStore> byDefault;
    EXPECT_EQ(session->OpenMsgStore(0, {}, nullptr, 0, byDefault), S_OK);
}

TEST_F(LocalStoreMapi, TablesReadAnyColumnsInBatches) {
    for (int i = 0; i < 5; ++i)
        savedContact(("First" + std::to_string(i)).c_str(), "Same");
    auto table = contentsOf(FolderKind::Contacts);
    ULONG count = 0;
    ASSERT_EQ(table->GetRowCount(0, count), S_OK);
    EXPECT_EQ(count, 5u);

    RowSet rows;
    ASSERT_EQ(table->QueryRows(1, 0, rows), S_OK);
    ASSERT_EQ(rows.size(), 1u);
    for (PropTag tag : {PR_ENTRYID, PR_INSTANCE_KEY, PR_DISPLAY_NAME, PR_SUBJECT, PR_MESSAGE_CLASS})
        EXPECT_TRUE(
            std::any_of(rows[0].begin(), rows[0].end(),
                        [&](const SPropValue& v) { return PROP_ID(v.ulPropTag) == PROP_ID(tag); }))
            << std::hex << tag;
    EXPECT_EQ(textOf(rows[0], PR_DISPLAY_NAME), "First0 Same");
    EXPECT_EQ(textOf(rows[0], PR_MESSAGE_CLASS), "IPM.Contact");
    EXPECT_EQ(FindProp(rows[0], PR_SUBJECT), nullptr);
    EXPECT_EQ(*FindProp(rows[0], CHANGE_PROP_TYPE(PR_SUBJECT, PT_ERROR)),
              SPropValue::error(PR_SUBJECT, MAPI_E_NOT_FOUND));

    ASSERT_EQ(table->QueryRows(3, 0, rows), S_OK);
    EXPECT_EQ(rows.size(), 3u);
    ASSERT_EQ(table->QueryRows(3, 0, rows), S_OK);
    EXPECT_EQ(rows.size(), 1u);
    ASSERT_EQ(table->QueryRows(3, 0, rows), S_OK);
    EXPECT_TRUE(rows.empty());

    const PropTagArray columns = {PR_SURNAME, PR_GIVEN_NAME, PROP_TAG(PT_LONG, 0x6999), PR_ENTRYID};
    ASSERT_EQ(HrQueryAllRows(table.get(), &columns, 0, rows), S_OK);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[4][0], SPropValue::string(PR_SURNAME, "Same"));
    EXPECT_EQ(rows[4][1], SPropValue::string(PR_GIVEN_NAME, "First4"));
    EXPECT_EQ(rows[4][2], SPropValue::error(PROP_TAG(PT_LONG, 0x6999), MAPI_E_NOT_FOUND));
    EXPECT_EQ(rows[4][3].ulPropTag, PR_ENTRYID);
}

TEST_F(LocalStoreMapi, RowsOfAFolderLeaveOutOtherFoldersItems) {
    savedContact("Ann", "Lee");
    for (int i = 0; i < 20; ++i)
        createItem(olTaskItem)->call("Save");  // tasks between the contacts
    savedContact("Bob", "Stone");
    RowSet rows;
    const PropTagArray columns = {PR_GIVEN_NAME, PR_MESSAGE_CLASS};
    ASSERT_EQ(HrQueryAllRows(contentsOf(FolderKind::Contacts).get(), &columns, 0, rows), S_OK);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(textOf(rows[0], PR_GIVEN_NAME), "Ann");
    EXPECT_EQ(textOf(rows[1], PR_GIVEN_NAME), "Bob");
    ASSERT_EQ(HrQueryAllRows(contentsOf(FolderKind::Tasks).get(), &columns, 0, rows), S_OK);
    EXPECT_EQ(rows.size(), 20u);
    EXPECT_EQ(textOf(rows[19], PR_MESSAGE_CLASS), "IPM.Task");
}

TEST_F(LocalStoreMapi, WhatTheObjectModelWritesMessagingReadsAndBack) {
    auto appointment = createItem(olAppointmentItem);
    appointment->put("Subject", "Lunch");
    appointment->put("Start", OleDate{45500.5});
    appointment->put("Categories", "Personal;");
    appointment->call("Save");
    auto message = openMessage(appointment->get("EntryID").asString());

    PropTagArray ids;
    ASSERT_EQ(message->GetIDsFromNames({MAPINAMEID{PSETID_Appointment, MNID_ID, 0x820D, {}},
                                        MAPINAMEID{PS_PUBLIC_STRINGS, MNID_STRING, 0, "Keywords"}},
                                       MAPI_CREATE, ids),
              S_OK);
    const PropTag start = CHANGE_PROP_TYPE(ids[0], PT_SYSTIME);
    const PropTag categories = CHANGE_PROP_TYPE(ids[1], PT_STRING8);
    PropValueArray values;
    const PropTagArray tags = {PR_SUBJECT, start, categories, PR_MESSAGE_CLASS};
    ASSERT_EQ(message->GetProps(&tags, 0, values), S_OK);
    EXPECT_EQ(values[0], SPropValue::string(PR_SUBJECT, "Lunch"));
    EXPECT_EQ(values[1], (SPropValue{start, fileTimeFromOleDate({45500.5})}));
    EXPECT_EQ(values[2], SPropValue::string(categories, "Personal"));
    EXPECT_EQ(values[3], SPropValue::string(PR_MESSAGE_CLASS, "IPM.Appointment"));

    ASSERT_EQ(message->SetProps({SPropValue::string(PR_SUBJECT, "Dinner"),
                                 SPropValue{PROP_TAG(PT_NULL, 0x1234), {}},
                                 SPropValue{start, fileTimeFromOleDate({45501.75})}}),
              S_OK);
    ASSERT_EQ(message->DeleteProps({categories}), S_OK);
    ASSERT_EQ(message->SaveChanges(KEEP_OPEN_READWRITE), S_OK);
    auto reread = mapiNamespace()->call("GetItemFromID", {appointment->get("EntryID")}).asObject();
    EXPECT_EQ(reread->get("Subject"), Variant("Dinner"));
    EXPECT_NEAR(reread->get("Start").asDate().serial, 45501.75, 1e-9);
    EXPECT_EQ(reread->get("Categories"), Variant(""));

    EXPECT_EQ(message->SetProps({SPropValue{PR_SUBJECT, std::int32_t(5)}}),
              MAPI_E_INVALID_PARAMETER);
    EXPECT_EQ(message->SetProps({SPropValue{PROP_TAG(PT_OBJECT, 0x6000), {}}}),
              MAPI_E_INVALID_PARAMETER);
}

TEST_F(LocalStoreMapi, AllPropertiesIncludeTheComputedOnes) {
    auto contact = savedContact("Ann", "Lee");
    auto message = openMessage(contact->get("EntryID").asString());
    PropValueArray all;
    ASSERT_EQ(message->GetProps(nullptr, 0, all), S_OK);
    EXPECT_EQ(all[0].ulPropTag, PR_ENTRYID);
    EXPECT_EQ(HexFromBin(*all[0].asBinary()), contact->get("EntryID").asString());
    EXPECT_TRUE(FindProp(all, PR_GIVEN_NAME));
    EXPECT_TRUE(FindProp(all, PR_LAST_MODIFICATION_TIME));
    EXPECT_EQ(*FindProp(all, PR_OBJECT_TYPE), SPropValue::integer(PR_OBJECT_TYPE, MAPI_MESSAGE));
    // Computed values cannot be overwritten.
    ASSERT_EQ(message->SetProps({SPropValue::binary(PR_ENTRYID, {1})}), S_OK);
    ASSERT_EQ(message->GetProps(nullptr, 0, all), S_OK);
    EXPECT_EQ(HexFromBin(*all[0].asBinary()), contact->get("EntryID").asString());
}

TEST_F(LocalStoreMapi, SavingAMessageThatWasDeletedFails) {
    auto task = createItem(olTaskItem);
    task->call("Save");
    auto message = openMessage(task->get("EntryID").asString());
    task->call("Delete");
    mapiNamespace()->call("GetItemFromID", {task->get("EntryID")}).asObject()->call("Delete");
    message->SetProps({SPropValue::string(PR_SUBJECT, "late")});
    EXPECT_EQ(message->SaveChanges(0), MAPI_E_NOT_FOUND);
}

TEST_F(LocalStoreMapi, ContactsWithAnAddressCarryTheirAddressBookId) {
    auto withMail = savedContact("Ann", "Lee", "ann@example.com");
    savedContact("No", "Mail");
    RowSet rows;
    const PropTagArray columns = {PR_ENTRYID, PR_GIVEN_NAME, PR_SURNAME, PR_COMPANY_NAME,
                                  PR_ORIGINAL_ENTRYID};
    ASSERT_EQ(HrQueryAllRows(contentsOf(FolderKind::Contacts).get(), &columns, 0, rows), S_OK);
    ASSERT_EQ(rows.size(), 2u);
    const Binary* original = rows[0][4].asBinary();
    ASSERT_TRUE(original);
    EXPECT_EQ(PROP_TYPE(rows[1][4].ulPropTag), PT_ERROR);

    ULONG type = 0;
    ComPtr<IUnknown> user;
    ASSERT_EQ(addressBook->OpenEntry(*original, nullptr, 0, type, user), S_OK);
    EXPECT_EQ(type, MAPI_MAILUSER);
    ULONG same = 0;
    ASSERT_EQ(addressBook->CompareEntryIDs(*original, *rows[0][0].asBinary(), 0, same), S_OK);
    EXPECT_EQ(same, 1u);
    ASSERT_EQ(addressBook->CompareEntryIDs(*original, *rows[1][0].asBinary(), 0, same), S_OK);
    EXPECT_EQ(same, 0u);
}

}  // namespace
}  // namespace outlook::local::testing
