#include "outlook/session/data_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

using DataStoreTest = testing::SessionTest;
using testing::isAlias;
using testing::kCategoriesKey;
using testing::RecordingListener;

TEST_F(DataStoreTest, ConnectCachesAndRegistersFoldersCategoriesAndContacts) {
    ASSERT_NE(outlook->store(), nullptr);
    setCategories("Business;Calls;;Home;Calls");
    const std::string ann = addContact("Ann", "Lee");
    const std::string acme = addContact("", "", "Acme");
    addContact("", "");  // no name at all: neither cached nor registered

    ASSERT_EQ(connect(), 0) << session->LastError();

    EXPECT_EQ(progress.texts, (std::vector<std::string>{"Connecting to Microsoft Outlook...",
                                                        "Loading Outlook Contacts...",
                                                        "Loading Keywords...", "Done!"}));
    EXPECT_EQ(progress.max, 3);
    EXPECT_EQ(progress.steps, 3) << "every row steps, skipped or not";
    EXPECT_EQ(progress.position, 3);

    ASSERT_EQ(session->Folders().size(), 3u);
    EXPECT_EQ(session->FindFolder("appointment")->DisplayName(), "Calendar");
    EXPECT_EQ(Prs_IsProject("task"), 1);
    EXPECT_TRUE(isAlias("note"));

    ASSERT_EQ(session->Categories().size(), 3u);
    EXPECT_NE(session->FindCategory("Home"), nullptr);
    EXPECT_EQ(Prs_IsList("calls"), 1);
    EXPECT_EQ(session->FindCategory("Calls")->keywordCount, 1);

    ASSERT_EQ(session->Contacts().size(), 2u);
    TContact* annLee = session->FindContact(ann);
    ASSERT_NE(annLee, nullptr);
    EXPECT_EQ(annLee->FileAs(), "Lee, Ann");
    EXPECT_EQ(annLee->FullName(), "Ann Lee");
    EXPECT_EQ(Prs_IsContact(ann.c_str()), 1);
    EXPECT_TRUE(isAlias("ann lee"));
    EXPECT_EQ(session->FindContact(acme)->FileAs(), "Acme");
}

TEST_F(DataStoreTest, CategoriesAreOptionalButMustBeText) {
    ASSERT_NE(outlook->store(), nullptr);
    // A new store wrote a default list; without any list the cache simply stays empty.
    std::ofstream(folder.path() / "HKEY_CURRENT_USER.reg") << "REGEDIT4\n";
    ASSERT_EQ(connect(), 0);
    EXPECT_TRUE(session->Categories().empty());

    session->AddCategory(std::make_unique<TCategory>("Kept"));
    EXPECT_EQ(session->RefreshCategories(), 0);
    EXPECT_NE(session->FindCategory("Kept"), nullptr);

    registry.createKey(platform::RegistryRoot::CurrentUser, kCategoriesKey)
        ->setValue("", platform::RegistryValue::ofDword(7));
    EXPECT_EQ(session->RefreshCategories(), 21);
}

TEST_F(DataStoreTest, RefreshDropsUnlistedCategoriesUnlessCustomisedWithKeywords) {
    ASSERT_NE(outlook->store(), nullptr);
    setCategories("Business;Ideas;Waiting");
    ASSERT_EQ(connect(), 0);
    session->FindCategory("Business")->keywordsCustomized = true;  // has its default keyword
    session->FindCategory("Waiting")->keywordsCustomized = true;
    session->FindCategory("Waiting")->keywordCount = 0;

    setCategories("Calls");
    ASSERT_EQ(session->RefreshCategories(), 0);
    EXPECT_NE(session->FindCategory("Business"), nullptr);
    EXPECT_EQ(session->FindCategory("Ideas"), nullptr);
    EXPECT_EQ(session->FindCategory("Waiting"), nullptr);
    EXPECT_EQ(Prs_IsList("ideas"), 0);
    EXPECT_NE(session->FindCategory("Calls"), nullptr);
    EXPECT_TRUE(isAlias("calls"));
}

TEST_F(DataStoreTest, ContactsFollowTheStoreThroughNotifications) {
    ASSERT_EQ(connect(), 0);
    const std::string bob = addContact("Bob", "Smith");
    settle();
    ASSERT_NE(session->FindContact(bob), nullptr);
    EXPECT_TRUE(isAlias("bob smith"));
    EXPECT_EQ(session->FindContact(bob)->keywordCount, 1);
    EXPECT_EQ(listener.told.back(), (RecordingListener::Told{bob, ""}));

    // A renamed contact: its default keyword follows the new name.
    const DispatchPtr item = contactItem(bob);
    item->put("FirstName", "Robert");
    item->call("Save");
    settle();
    EXPECT_EQ(session->FindContact(bob)->FullName(), "Robert Smith");
    EXPECT_TRUE(isAlias("robert smith"));
    EXPECT_FALSE(isAlias("bob smith"));
    EXPECT_EQ(listener.told.back(), (RecordingListener::Told{bob, bob}));

    // A customised contact keeps the user's keywords and gets no new default one.
    TContact* robert = session->FindContact(bob);
    robert->keywordsCustomized = true;
    ASSERT_EQ(Prs_AddAlias("bobby", "", "", bob.c_str()), 1);
    ++robert->keywordCount;
    item->put("FirstName", "Rob");
    item->call("Save");
    settle();
    EXPECT_TRUE(isAlias("bobby"));
    EXPECT_FALSE(isAlias("rob smith"));
    EXPECT_TRUE(session->FindContact(bob)->keywordsCustomized);

    const auto entry = outlook->store()->parse(*mapi::FBinFromHex(bob));
    ASSERT_TRUE(entry);
    outlook->store()->deleteItem(entry->row);
    settle();
    EXPECT_EQ(session->FindContact(bob), nullptr);
    EXPECT_EQ(Prs_IsContact(bob.c_str()), 0);
    EXPECT_EQ(listener.told.back(), (RecordingListener::Told{"", ""}));
}

TEST_F(DataStoreTest, AContactNamedAfterItWasFirstSavedEntersTheCache) {
    ASSERT_EQ(connect(), 0);
    const DispatchPtr item = application()->call("CreateItem", {olContactItem}).asObject();
    item->put("Email1Address", "dana@example.com");
    item->call("Save");
    settle();
    const std::string key = item->get("EntryID").asString();
    EXPECT_EQ(session->FindContact(key), nullptr) << "no name yet: nothing to list";

    item->put("FirstName", "Dana");
    item->call("Save");
    settle();
    ASSERT_NE(session->FindContact(key), nullptr);
    EXPECT_EQ(session->FindContact(key)->FullName(), "Dana");
    EXPECT_TRUE(isAlias("dana"));
    EXPECT_EQ(listener.told.back(), (RecordingListener::Told{key, ""}));
}

TEST_F(DataStoreTest, ABatchOfAnAdditionAndADeletionAddsThenRefreshes) {
    ASSERT_EQ(connect(), 0);
    const std::string ann = addContact("Ann", "Lee");
    settle();
    listener.told.clear();

    mapi::NOTIFICATION batch[2];
    batch[0].ulEventType = mapi::fnevTableModified;
    batch[0].tab.ulTableEvent = mapi::TABLE_ROW_ADDED;
    batch[0].tab.row = {mapi::SPropValue::binary(mapi::PR_ENTRYID, {0xAB, 0xCD}),
                        mapi::SPropValue::string(mapi::PR_GIVEN_NAME, "Ghost"),
                        mapi::SPropValue::integer(mapi::PR_SURNAME, 5)};  // wrong type: absent
    batch[1].ulEventType = mapi::fnevTableModified;
    batch[1].tab.ulTableEvent = mapi::TABLE_ROW_DELETED;
    EXPECT_EQ(session->OnNotify(2, batch), 0u);

    EXPECT_EQ(listener.told, (std::vector<RecordingListener::Told>{{"ABCD", ""}, {"", ""}}));
    EXPECT_EQ(session->FindContact("ABCD"), nullptr) << "the refresh drops what the table lacks";
    EXPECT_FALSE(isAlias("ghost"));
    EXPECT_NE(session->FindContact(ann), nullptr);
    EXPECT_TRUE(isAlias("ann lee"));
}

TEST_F(DataStoreTest, AnAdditionOfAKnownContactEndsTheBatch) {
    ASSERT_EQ(connect(), 0);
    const std::string ann = addContact("Ann", "Lee");
    settle();
    listener.told.clear();

    mapi::NOTIFICATION batch[2];
    batch[0].ulEventType = batch[1].ulEventType = mapi::fnevTableModified;
    batch[0].tab.ulTableEvent = mapi::TABLE_ROW_ADDED;
    batch[0].tab.row = {mapi::SPropValue::binary(mapi::PR_ENTRYID, *mapi::FBinFromHex(ann)),
                        mapi::SPropValue::string(mapi::PR_GIVEN_NAME, "Ann")};
    batch[1].tab.ulTableEvent = mapi::TABLE_CHANGED;
    session->OnNotify(2, batch);
    EXPECT_TRUE(listener.told.empty());
}

TEST_F(DataStoreTest, AnotherProcessesChangeIsNoticedAsAWholeTableChange) {
    ASSERT_EQ(connect(), 0);
    jotwise::testing::ManualEventLoop otherLoop;
    auto other = local::LocalOutlook::open(database(), registry, otherLoop, nullptr);
    ASSERT_NE(other, nullptr);
    const DispatchPtr contact = other->automation()
                                    .createObject("Outlook.Application")
                                    ->call("CreateItem", {olContactItem})
                                    .asObject();
    contact->put("FirstName", "Cleo");
    contact->call("Save");

    loop.advance(std::chrono::seconds(2));
    settle();
    ASSERT_EQ(session->Contacts().size(), 1u);
    EXPECT_TRUE(isAlias("cleo"));
}

TEST_F(DataStoreTest, ACorruptStoreFailsToConnectAndIsLeftAlone) {
    const std::string garbage(4096, 'x');
    std::ofstream(database(), std::ios::binary) << garbage;
    EXPECT_EQ(connect(), 25);
    EXPECT_FALSE(session->LastError().empty());
    std::ifstream in(database(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
}

TEST_F(DataStoreTest, ShowOutlookOpensTheCalendarAndFactoriesMakeItems) {
    ASSERT_EQ(connect(), 0);
    EXPECT_EQ(session->ShowOutlook(), 0);
    EXPECT_EQ(outlook->windows().defaultExplorer().shownFolderNames,
              std::vector<std::string>{"Calendar"});
    EXPECT_EQ(session->ShowOutlook(), 0);
    EXPECT_EQ(outlook->windows().defaultExplorer().shownFolderNames.size(), 1u)
        << "an open explorer is shown again, not a new folder";

    auto appointment = session->CreateAppointment();
    ASSERT_NE(appointment, nullptr);
    EXPECT_EQ(appointment->SetSubject("lunch with Ann"), 0);
    EXPECT_EQ(appointment->Commit(), 0);
    EXPECT_NE(session->CreateTask(), nullptr);
    EXPECT_NE(session->CreateNote(), nullptr);
    EXPECT_NE(session->CreateContact(), nullptr);
    EXPECT_NE(session->CreateMailMessage(), nullptr);
    EXPECT_NE(session->CreateJournalEntry(), nullptr);
}

TEST_F(DataStoreTest, NotificationsStopWithTheSession) {
    ASSERT_EQ(connect(), 0);
    addContact("Ann", "Lee");
    InstallDataStore(nullptr);
    session.reset();  // a notification is still waiting in the loop
    settle();
    EXPECT_TRUE(listener.told.empty());

    // A new session hears of the next change, once.
    ASSERT_EQ(connect(), 0);
    const std::string bob = addContact("Bob", "Stone");
    settle();
    EXPECT_EQ(listener.told, (std::vector<RecordingListener::Told>{{bob, ""}}));
}

TEST_F(DataStoreTest, RemoveContactHandsTheContactBack) {
    ASSERT_EQ(connect(), 0);
    const std::string ann = addContact("Ann", "Lee");
    settle();
    std::unique_ptr<TContact> removed;
    EXPECT_EQ(session->RemoveContact(ann, &removed), 0);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->Key(), ann);
    EXPECT_EQ(session->RemoveContact(ann), 101);
    EXPECT_EQ(session->AddContact(ann, std::move(removed)), 0);
    EXPECT_NE(session->FindContact(ann), nullptr);
}

}  // namespace
}  // namespace outlook
