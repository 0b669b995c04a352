#include <gtest/gtest.h>

#include "outlook/local/store/file_time.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

class LocalStoreObjectModel : public LocalStoreFixture {
protected:
    DispatchPtr saved(std::int32_t type, const char* subject) {
        auto item = createItem(type);
        if (type != olNoteItem)
            item->put("Subject", subject);
        else
            item->put("Body", subject);
        item->call("Save");
        return item;
    }
    DispatchPtr reload(const DispatchPtr& item) {
        return mapiNamespace()->call("GetItemFromID", {item->get("EntryID")}).asObject();
    }
};

TEST_F(LocalStoreObjectModel, OnlyTheApplicationCanBeCreated) {
    EXPECT_EQ(errorOf([&] { outlook().automation().createObject("Word.Application"); }),
              "Cannot create object 'Word.Application'");
    EXPECT_TRUE(outlook().automation().createObject("outlook.application"));
    EXPECT_NE(errorOf([&] { application()->call("GetNamespace", {"IMAP"}); }), "(no error)");
}

TEST_F(LocalStoreObjectModel, EachKindIsSavedIntoItsDefaultFolder) {
    const std::pair<std::int32_t, std::int32_t> kinds[] = {
        {olMailItem, olFolderDrafts},      {olAppointmentItem, olFolderCalendar},
        {olContactItem, olFolderContacts}, {olTaskItem, olFolderTasks},
        {olJournalItem, olFolderJournal},  {olNoteItem, olFolderNotes}};
    for (const auto& [type, folder] : kinds) {
        auto item = createItem(type);
        EXPECT_EQ(item->get("EntryID"), Variant(""));
        EXPECT_EQ(countIn(folder), 0) << type;
        item->call("Save");
        EXPECT_EQ(countIn(folder), 1) << type;
        EXPECT_EQ(item->get("EntryID").asString().size(), 56u);
        EXPECT_EQ(item->get("Parent").asObject()->get("Name"), defaultFolder(folder)->get("Name"));
    }
    EXPECT_EQ(createItem(olContactItem)->get("Class"), Variant(40));
    EXPECT_EQ(createItem(olAppointmentItem)->get("MessageClass"), Variant("IPM.Appointment"));
    EXPECT_NE(errorOf([&] { createItem(6); }).find("unknown item type 6"), std::string::npos);
}

TEST_F(LocalStoreObjectModel, AnItemNeverSavedLeavesNothing) {
    auto item = createItem(olAppointmentItem);
    item->put("Subject", "draft only");
    item->get("Recipients").asObject()->call("Add", {"someone@example.com"});
    item.reset();
    for (const auto& folder : store().folders())
        EXPECT_EQ(store().itemCount(folder.id), 0u);

    // The same item saved is counted, in its folder only.
    auto saved = createItem(olAppointmentItem);
    saved->put("Subject", "kept");
    saved->call("Save");
    std::size_t total = 0;
    for (const auto& folder : store().folders())
        total += store().itemCount(folder.id);
    EXPECT_EQ(total, 1u);
    EXPECT_EQ(countIn(olFolderCalendar), 1);
}

TEST_F(LocalStoreObjectModel, PropertiesOfEveryTypeSurviveSaveAndReload) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->put("Body", "Line one\r\nLine two");
    task->put("DueDate", OleDate{45500.5});
    task->put("TotalWork", 90);
    task->put("ReminderSet", true);
    task->put("Contacts", "Ann Lee");
    task->put("Companies", "Acme");
    task->call("Save");
    auto loaded = reload(task);
    EXPECT_EQ(loaded->get("Subject"), Variant("Budget"));
    EXPECT_EQ(loaded->get("Body"), Variant("Line one\r\nLine two"));
    EXPECT_NEAR(loaded->get("DueDate").asDate().serial, 45500.5, 1e-9);
    EXPECT_EQ(loaded->get("TotalWork"), Variant(90));
    EXPECT_EQ(loaded->get("ReminderSet"), Variant(true));
    EXPECT_EQ(loaded->get("Contacts"), Variant("Ann Lee"));
    EXPECT_EQ(loaded->get("Companies"), Variant("Acme"));
    EXPECT_EQ(loaded->get("Saved"), Variant(true));
    loaded->put("TotalWork", 5);
    EXPECT_EQ(loaded->get("Saved"), Variant(false));

    auto note = createItem(olNoteItem);
    for (const char* name : {"Left", "Top", "Width", "Height"})
        note->put(name, 120);
    note->put("Body", "  Call Bob\nabout the car");
    note->call("Save");
    auto loadedNote = reload(note);
    EXPECT_EQ(loadedNote->get("Width"), Variant(120));
    EXPECT_EQ(loadedNote->get("Subject"), Variant("Call Bob"));
}

TEST_F(LocalStoreObjectModel, UnsetValuesReadAsEmptyAndTheNoDate) {
    auto appointment = createItem(olAppointmentItem);
    EXPECT_EQ(appointment->get("Subject"), Variant(""));
    EXPECT_EQ(appointment->get("Start"), Variant(OleDate{kNoDateSerial}));
    EXPECT_EQ(appointment->get("AllDayEvent"), Variant(false));
    EXPECT_EQ(appointment->get("BusyStatus"), Variant(2));
    appointment->put("Start", OleDate{45000.5});
    appointment->put("Start", OleDate{kNoDateSerial});
    EXPECT_EQ(appointment->get("Start"), Variant(OleDate{kNoDateSerial}));
    appointment->put("Subject", "x");
    appointment->put("Subject", Variant());
    EXPECT_EQ(appointment->get("Subject"), Variant(""));
}

TEST_F(LocalStoreObjectModel, ANewAppointmentRemindsByTheSettingATaskOnlyWhenAsked) {
    auto appointment = createItem(olAppointmentItem);
    EXPECT_EQ(appointment->get("ReminderSet"), Variant(true));
    EXPECT_EQ(appointment->get("ReminderMinutesBeforeStart"), Variant(15));
    EXPECT_EQ(createItem(olTaskItem)->get("ReminderSet"), Variant(false));

    registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Reminders")
        ->setValue("Minutes", platform::RegistryValue::ofDword(30));
    EXPECT_EQ(createItem(olAppointmentItem)->get("ReminderMinutesBeforeStart"), Variant(30));
    // A lead no one means (over two weeks, or a negative number stored as a DWORD) is the
    // usual one.
    registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Reminders")
        ->setValue("Minutes", platform::RegistryValue::ofDword(0xFFFFFFF1u));
    EXPECT_EQ(createItem(olAppointmentItem)->get("ReminderMinutesBeforeStart"), Variant(15));

    // An appointment saved with a reminder but no lead of its own reads the usual lead.
    auto older = createItem(olAppointmentItem);
    older->put("ReminderMinutesBeforeStart", Variant());
    older->call("Save");
    EXPECT_EQ(reload(older)->get("ReminderMinutesBeforeStart"), Variant(15));
}

TEST_F(LocalStoreObjectModel, PropertiesOfAnotherKindAndWrongTypesAreRefused) {
    auto appointment = createItem(olAppointmentItem);
    EXPECT_EQ(errorOf([&] { appointment->put("DueDate", OleDate{45000}); }),
              "Property 'DueDate' is not supported by an appointment item");
    EXPECT_EQ(errorOf([&] { appointment->get("FirstName"); }),
              "Property 'FirstName' is not supported by an appointment item");
    EXPECT_EQ(errorOf([&] { appointment->put("Start", "tomorrow"); }),
              "Type mismatch: 'Start' expects a date, got string");
    EXPECT_EQ(errorOf([&] { appointment->put("AllDayEvent", 1); }),
              "Type mismatch: 'AllDayEvent' expects a boolean, got integer");
    EXPECT_EQ(errorOf([&] { appointment->put("EntryID", "00"); }),
              "Property 'EntryID' is read-only");
    EXPECT_EQ(errorOf([&] { appointment->get("Colour"); }),
              "Unknown property 'Colour' of an appointment item");
    EXPECT_EQ(errorOf([&] { createItem(olTaskItem)->put("Start", OleDate{1}); }),
              "Property 'Start' is not supported by a task item");
    EXPECT_NE(errorOf([&] { createItem(olNoteItem)->put("Subject", "x"); }).find("read-only"),
              std::string::npos);
    EXPECT_EQ(errorOf([&] { createItem(olContactItem)->call("Fly", {}); }),
              "Unknown method 'Fly' of a contact item");
}

TEST_F(LocalStoreObjectModel, PropertyNamesIgnoreCase) {
    auto item = createItem(olMailItem);
    item->put("subject", "lower");
    EXPECT_EQ(item->get("SUBJECT"), Variant("lower"));
}

TEST_F(LocalStoreObjectModel, StartMovesTheEndAndDurationFollowsBoth) {
    auto appointment = createItem(olAppointmentItem);
    const double nine = 45000 + 9.0 / 24, ten = 45000 + 10.0 / 24;
    appointment->put("Start", OleDate{nine});
    EXPECT_EQ(appointment->get("Duration"), Variant(30));
    appointment->put("End", OleDate{ten});
    EXPECT_EQ(appointment->get("Duration"), Variant(60));
    appointment->put("Start", OleDate{ten});
    EXPECT_NEAR(appointment->get("End").asDate().serial, ten + 1.0 / 24, 1e-9);
    appointment->put("Duration", 15);
    EXPECT_NEAR(appointment->get("End").asDate().serial, ten + 0.25 / 24, 1e-9);
    EXPECT_NE(errorOf([&] { appointment->put("End", OleDate{nine}); }), "(no error)");

    auto journal = createItem(olJournalItem);
    journal->put("Duration", 0);
    journal->put("Start", OleDate{nine});
    journal->put("Type", "Phone call");
    journal->put("ContactNames", "Ann Lee");
    journal->call("Save");
    EXPECT_EQ(reload(journal)->get("Duration"), Variant(0));
}

TEST_F(LocalStoreObjectModel, ContactNamesKeepFullNameAndFileAsSensible) {
    auto contact = createItem(olContactItem);
    contact->put("FirstName", "Ann");
    EXPECT_EQ(contact->get("FullName"), Variant("Ann"));
    contact->put("LastName", "Lee");
    EXPECT_EQ(contact->get("FullName"), Variant("Ann Lee"));
    EXPECT_EQ(contact->get("FileAs"), Variant("Lee, Ann"));
    contact->put("FirstName", "Anne");
    EXPECT_EQ(contact->get("FullName"), Variant("Anne Lee"));
    EXPECT_EQ(contact->get("FileAs"), Variant("Lee, Anne"));

    // Explicit values are kept when the parts change.
    contact->put("FullName", "Dr. Anne Lee");
    contact->put("FileAs", "Boss");
    contact->put("LastName", "Li");
    EXPECT_EQ(contact->get("FullName"), Variant("Dr. Anne Lee"));
    EXPECT_EQ(contact->get("FileAs"), Variant("Boss"));

    // A full name on a contact without parts is split into them.
    auto other = createItem(olContactItem);
    other->put("FullName", "Mary Ann Smith");
    EXPECT_EQ(other->get("FirstName"), Variant("Mary Ann"));
    EXPECT_EQ(other->get("LastName"), Variant("Smith"));
    EXPECT_EQ(other->get("FileAs"), Variant("Smith, Mary Ann"));

    auto company = createItem(olContactItem);
    company->put("CompanyName", "Acme");
    EXPECT_EQ(company->get("FileAs"), Variant("Acme"));
    EXPECT_EQ(company->get("FullName"), Variant(""));
}

TEST_F(LocalStoreObjectModel, ContactFieldsLandInTheirMessagingTags) {
    auto contact = createItem(olContactItem);
    const std::pair<const char*, mapi::PropTag> fields[] = {
        {"BusinessAddressCountry", mapi::PR_COUNTRY},
        {"BusinessAddressCity", mapi::PR_LOCALITY},
        {"BusinessAddressState", mapi::PR_STATE_OR_PROVINCE},
        {"BusinessAddressStreet", mapi::PR_STREET_ADDRESS},
        {"BusinessAddressPostalCode", mapi::PR_POSTAL_CODE},
        {"BusinessAddressPostOfficeBox", mapi::PR_POST_OFFICE_BOX},
        {"CompanyName", mapi::PR_COMPANY_NAME},
        {"BusinessTelephoneNumber", mapi::PR_BUSINESS_TELEPHONE_NUMBER}};
    for (const auto& [name, tag] : fields)
        contact->put(name, std::string(name) + " value");
    contact->put("Email1Address", "ann@example.com");
    contact->put("SelectedMailingAddress", 2);
    contact->call("Save");
    const auto id = store().parse(*mapi::FBinFromHex(contact->get("EntryID").asString()))->row;
    const auto record = store().loadItem(id);
    for (const auto& [name, tag] : fields)
        EXPECT_EQ(record->props.string(tag), std::string(name) + " value") << name;
    EXPECT_EQ(record->props.string(store().known()[Known::Email1Address]), "ann@example.com");
}

// Contacts imported from the address book have long kept the number in this tag.
TEST_F(LocalStoreObjectModel, ABusinessPhoneKeptBeforeReadsThroughTheObjectModel) {
    auto contact = saveContact("Ann", "Lee", "");
    const std::string entryId = contact->get("EntryID").asString();
    auto record = *store().loadItem(store().parse(*mapi::FBinFromHex(entryId))->row);
    record.props.setString(mapi::PR_BUSINESS_TELEPHONE_NUMBER, "555 0100");
    store().saveItem(record);
    contact.reset();
    reopen();
    EXPECT_EQ(mapiNamespace()
                  ->call("GetItemFromID", {entryId})
                  .asObject()
                  ->get("BusinessTelephoneNumber")
                  .asString(),
              "555 0100");
}

TEST_F(LocalStoreObjectModel, CategoriesAreKeptAsOneSeparatedList) {
    auto note = createItem(olNoteItem);
    note->put("Categories", "Business;Personal;");
    EXPECT_EQ(note->get("Categories"), Variant("Business; Personal"));
    note->put("Categories", " Ideas , ideas; VIP ");
    EXPECT_EQ(note->get("Categories"), Variant("Ideas; VIP"));
    note->put("Categories", ";");
    EXPECT_EQ(note->get("Categories"), Variant(""));
}

TEST_F(LocalStoreObjectModel, FoldersListTheirItemsInSavingOrder) {
    saved(olTaskItem, "one");
    saved(olTaskItem, "two");
    auto items = defaultFolder(olFolderTasks)->get("Items").asObject();
    EXPECT_EQ(items->get("Count"), Variant(2));
    EXPECT_EQ(items->call("Item", {2}).asObject()->get("Subject"), Variant("two"));
    EXPECT_NE(errorOf([&] { items->call("Item", {3}); }).find("out of range"), std::string::npos);
    auto added = items->call("Add", {}).asObject();
    EXPECT_EQ(added->get("Class"), Variant(48));
    EXPECT_NE(errorOf([&] { mapiNamespace()->call("GetDefaultFolder", {7}); }), "(no error)");
    EXPECT_NE(errorOf([&] { mapiNamespace()->call("GetItemFromID", {"00FF"}); }), "(no error)");
}

TEST_F(LocalStoreObjectModel, DeleteGoesThroughDeletedItems) {
    auto item = saved(olTaskItem, "old");
    const std::string id = item->get("EntryID").asString();
    item->call("Delete");
    EXPECT_EQ(countIn(olFolderTasks), 0);
    EXPECT_EQ(countIn(olFolderDeletedItems), 1);
    mapiNamespace()->call("GetItemFromID", {id}).asObject()->call("Delete");
    EXPECT_EQ(countIn(olFolderDeletedItems), 0);
    EXPECT_NE(errorOf([&] { mapiNamespace()->call("GetItemFromID", {id}); }), "(no error)");
}

TEST_F(LocalStoreObjectModel, CloseSavesOrDiscards) {
    auto item = saved(olTaskItem, "kept");
    item->put("Subject", "changed");
    item->call("Close", {1});
    EXPECT_EQ(item->get("Subject"), Variant("kept"));
    EXPECT_EQ(reload(item)->get("Subject"), Variant("kept"));
    item->put("Subject", "saved on close");
    item->call("Close", {0});
    EXPECT_EQ(reload(item)->get("Subject"), Variant("saved on close"));
    EXPECT_NE(errorOf([&] { item->call("Close", {2}); }), "(no error)");
}

TEST_F(LocalStoreObjectModel, WindowsAreReachedThroughTheirInterfaces) {
    EXPECT_TRUE(application()->get("ActiveExplorer").isNothing());
    EXPECT_EQ(application()->get("ActiveExplorer").type(), Variant::Type::Object);
    defaultFolder(olFolderCalendar)->call("Display");
    auto explorer = application()->get("ActiveExplorer").asObject();
    EXPECT_EQ(explorer->get("CurrentFolder").asObject()->get("Name"), Variant("Calendar"));
    explorer->call("Display");
    auto& recorded = outlook().windows().defaultExplorer();
    EXPECT_EQ(recorded.shownFolderNames, std::vector<std::string>{"Calendar"});
    EXPECT_EQ(recorded.activations, 1);
    explorer->call("Close");
    EXPECT_TRUE(application()->get("ActiveExplorer").isNothing());

    HeadlessItemForm form;
    outlook().setItemForm(&form);
    auto contact = createItem(olContactItem);
    contact->call("Display", {true});
    ASSERT_EQ(form.shown.size(), 1u);
    EXPECT_EQ(form.shown[0].item, contact);
    EXPECT_TRUE(form.shown[0].modal);
    contact->call("Close", {1});
    EXPECT_TRUE(form.shown[0].closed);
    outlook().setItemForm(nullptr);
}

}  // namespace
}  // namespace outlook::local::testing
