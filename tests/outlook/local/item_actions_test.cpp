#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/property_codec.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

class LocalStoreItemActions : public LocalStoreFixture {
protected:
    void SetUp() override {
        auto contact = createItem(olContactItem);
        contact->put("FirstName", "Ann");
        contact->put("LastName", "Lee");
        contact->put("Email1Address", "ann@example.com");
        contact->call("Save");
        mapi::PropValueArray values;
        PropertyBag user;
        user.setString(mapi::PR_DISPLAY_NAME, "Bob Stone");
        user.setString(mapi::PR_EMAIL_ADDRESS, "bob@example.com");
        store().addressBook().addMailUser(user);
    }
    DispatchPtr addRecipient(const DispatchPtr& item, const char* name) {
        return item->get("Recipients").asObject()->call("Add", {name}).asObject();
    }
    std::vector<std::string> classesIn(std::int32_t folder) {
        std::vector<std::string> classes;
        auto items = defaultFolder(folder)->get("Items").asObject();
        for (std::int32_t i = 1; i <= items->get("Count").asInt(); ++i)
            classes.push_back(items->call("Item", {i}).asObject()->get("MessageClass").asString());
        return classes;
    }
};

TEST_F(LocalStoreItemActions, RecipientsResolveByNameAddressOrFullNameIgnoringCase) {
    auto mail = createItem(olMailItem);
    for (const char* name :
         {"ann lee", "ANN@EXAMPLE.COM", "Ann Lee (ann@example.com)", "ann lee (e-mail)",
          "bob stone", "bob@example.com", "stranger@example.org"}) {
        auto recipient = addRecipient(mail, name);
        EXPECT_EQ(recipient->call("Resolve", {}), Variant(true)) << name;
        EXPECT_EQ(recipient->get("Resolved"), Variant(true)) << name;
    }
    auto unknown = addRecipient(mail, "Nobody Known");
    EXPECT_EQ(unknown->call("Resolve", {}), Variant(false));
    EXPECT_EQ(addRecipient(mail, "Ann")->call("Resolve", {}), Variant(false));
    EXPECT_EQ(mail->get("Recipients").asObject()->get("Count"), Variant(9));
}

TEST_F(LocalStoreItemActions, SeveralEntriesWithDifferentAddressesStayUnresolved) {
    PropertyBag twin;
    twin.setString(mapi::PR_DISPLAY_NAME, "Ann Lee");
    twin.setString(mapi::PR_EMAIL_ADDRESS, "other.ann@example.com");
    store().addressBook().addMailUser(twin);
    EXPECT_EQ(addRecipient(createItem(olMailItem), "Ann Lee")->call("Resolve", {}), Variant(false));
}

TEST_F(LocalStoreItemActions, RecipientTypeIsChecked) {
    auto recipient = addRecipient(createItem(olMailItem), "Ann Lee");
    EXPECT_EQ(recipient->get("Type"), Variant(1));
    recipient->put("Type", 3);
    EXPECT_EQ(recipient->get("Type"), Variant(3));
    EXPECT_NE(errorOf([&] { recipient->put("Type", 4); }), "(no error)");
    auto standalone = mapiNamespace()->call("CreateRecipient", {"Bob Stone"}).asObject();
    EXPECT_EQ(standalone->call("Resolve", {}), Variant(true));
    auto mail = createItem(olMailItem);
    auto added = mail->get("Recipients").asObject()->call("Add", {standalone}).asObject();
    EXPECT_EQ(added->get("Resolved"), Variant(true));
    EXPECT_EQ(added->get("Address"), Variant("bob@example.com"));
}

TEST_F(LocalStoreItemActions, SendingMailQueuesItInTheOutbox) {
    auto mail = createItem(olMailItem);
    mail->put("Subject", "Hello");
    EXPECT_EQ(errorOf([&] { mail->call("Send", {}); }),
              "Cannot send a mail item: it has no recipients");
    mail->call("Save");
    EXPECT_EQ(countIn(olFolderDrafts), 1);
    auto nobody = addRecipient(mail, "Nobody Known");
    EXPECT_EQ(errorOf([&] { mail->call("Send", {}); }),
              "Cannot send a mail item: the recipient 'Nobody Known' cannot be resolved");
    mail->get("Recipients").asObject()->call("Remove", {1});
    addRecipient(mail, "ann lee")->put("Type", 2);
    mail->call("Send", {});
    EXPECT_EQ(countIn(olFolderDrafts), 0);
    EXPECT_EQ(countIn(olFolderOutbox), 1);
    auto sent = mapiNamespace()->call("GetItemFromID", {mail->get("EntryID")}).asObject();
    auto recipient = sent->get("Recipients").asObject()->call("Item", {1}).asObject();
    EXPECT_EQ(recipient->get("Address"), Variant("ann@example.com"));
    EXPECT_EQ(recipient->get("Type"), Variant(2));
    EXPECT_NE(errorOf([&] { mail->call("Send", {}); }), "(no error)");
}

TEST_F(LocalStoreItemActions, AFailedSendSavesNothing) {
    auto mail = createItem(olMailItem);
    addRecipient(mail, "Nobody Known");
    EXPECT_NE(errorOf([&] { mail->call("Send", {}); }), "(no error)");
    for (const auto& folder : store().folders()) {
        if (folder.kind == FolderKind::Contacts) continue;
        EXPECT_EQ(store().itemCount(folder.id), 0u) << folder.name;
    }
}

TEST_F(LocalStoreItemActions, AMeetingStaysInTheCalendarAndItsRequestIsSent) {
    auto meeting = createItem(olAppointmentItem);
    meeting->put("Subject", "Review");
    meeting->put("Start", OleDate{45500.5});
    addRecipient(meeting, "Bob Stone");
    meeting->put("ResponseRequested", true);
    meeting->call("Send", {});
    EXPECT_EQ(classesIn(olFolderCalendar), std::vector<std::string>{"IPM.Appointment"});
    EXPECT_EQ(classesIn(olFolderOutbox), std::vector<std::string>{"IPM.Schedule.Meeting.Request"});
    EXPECT_EQ(meeting->get("MeetingStatus"), Variant(1));
    auto request =
        defaultFolder(olFolderOutbox)->get("Items").asObject()->call("Item", {1}).asObject();
    EXPECT_EQ(request->get("Subject"), Variant("Review"));
    EXPECT_EQ(request->get("Recipients").asObject()->get("Count"), Variant(1));
}

TEST_F(LocalStoreItemActions, ATaskIsSentOnlyOnceAssigned) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Report");
    addRecipient(task, "Ann Lee");
    EXPECT_NE(errorOf([&] { task->call("Send", {}); }).find("Assign"), std::string::npos);
    task->call("Assign", {});
    task->call("Send", {});
    EXPECT_EQ(classesIn(olFolderTasks), std::vector<std::string>{"IPM.Task"});
    EXPECT_EQ(classesIn(olFolderOutbox), std::vector<std::string>{"IPM.TaskRequest"});
    EXPECT_NE(errorOf([&] { createItem(olNoteItem)->call("Send", {}); }), "(no error)");
    EXPECT_NE(errorOf([&] { createItem(olAppointmentItem)->call("Assign", {}); }), "(no error)");
}

TEST_F(LocalStoreItemActions, FilesAttachedByValueAreCopiedIntoTheStore) {
    const fs::path file = temp.path() / "plan.txt";
    std::ofstream(file) << "version 1";
    auto task = createItem(olTaskItem);
    auto attachments = task->get("Attachments").asObject();
    attachments->call("Add", {file.string(), 1, 999999});
    attachments->call("Add", {file.string(), 4, 999999, "Live plan"});
    EXPECT_EQ(attachments->get("Count"), Variant(2));
    std::ofstream(file) << "version 2 is longer";
    task->call("Save");

    auto loaded = mapiNamespace()->call("GetItemFromID", {task->get("EntryID")}).asObject();
    auto loadedAttachments = loaded->get("Attachments").asObject();
    ASSERT_EQ(loadedAttachments->get("Count"), Variant(2));
    auto copy = loadedAttachments->call("Item", {1}).asObject();
    EXPECT_EQ(copy->get("FileName"), Variant("plan.txt"));
    const fs::path out = temp.path() / "out.txt";
    copy->call("SaveAsFile", {out.string()});
    std::ifstream in(out);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "version 1");
    auto link = loadedAttachments->call("Item", {2}).asObject();
    EXPECT_EQ(link->get("Type"), Variant(4));
    EXPECT_EQ(link->get("DisplayName"), Variant("Live plan"));
    EXPECT_EQ(link->get("PathName"), Variant(file.string()));

    EXPECT_EQ(
        errorOf([&] {
            attachments->call("Add", {(temp.path() / "missing").string(), 1, 1});
        }),
        "Cannot attach '" + (temp.path() / "missing").string() + "': the file does not exist");
    EXPECT_NE(errorOf([&] { attachments->call("Add", {file.string(), 6, 1}); }), "(no error)");
}

TEST_F(LocalStoreItemActions, ItemsAttachAsSnapshotsOrReferences) {
    auto contact =
        defaultFolder(olFolderContacts)->get("Items").asObject()->call("Item", {1}).asObject();
    auto appointment = createItem(olAppointmentItem);
    auto attachments = appointment->get("Attachments").asObject();
    attachments->call("Add", {contact, 4, 999999});
    attachments->call("Add", {contact, 1, 999999});
    attachments->call("Add", {contact->get("EntryID"), 4, 999999});
    appointment->call("Save");
    contact->put("LastName", "Changed");
    contact->call("Save");

    const auto id = store().parse(*mapi::FBinFromHex(appointment->get("EntryID").asString()))->row;
    const auto record = store().loadItem(id);
    ASSERT_EQ(record->attachments.size(), 3u);
    EXPECT_EQ(record->attachments[0].method, olByReference);
    EXPECT_EQ(record->attachments[0].path, contact->get("EntryID").asString());
    EXPECT_EQ(record->attachments[0].displayName, "Ann Lee");
    EXPECT_EQ(record->attachments[1].method, olEmbeddedItem);
    const auto snapshot = decodePropertyBag(store().attachmentData(record->attachments[1].id));
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->string(mapi::PR_SURNAME), "Lee");
    EXPECT_EQ(record->attachments[2].path, record->attachments[0].path);

    EXPECT_NE(errorOf([&] {
                  attachments->call("Add", {createItem(olNoteItem), 4, 1});
              }).find("save it first"),
              std::string::npos);
}

TEST_F(LocalStoreItemActions, RemovedAttachmentsAreDeletedOnSave) {
    const fs::path file = temp.path() / "a.bin";
    std::ofstream(file) << "abc";
    auto task = createItem(olTaskItem);
    auto attachments = task->get("Attachments").asObject();
    attachments->call("Add", {file.string(), 1, 1});
    attachments->call("Add", {file.string(), 1, 1, "second"});
    task->call("Save");
    attachments->call("Remove", {1});
    task->call("Save");
    const auto id = store().parse(*mapi::FBinFromHex(task->get("EntryID").asString()))->row;
    const auto record = store().loadItem(id);
    ASSERT_EQ(record->attachments.size(), 1u);
    EXPECT_EQ(record->attachments[0].displayName, "second");
}

}  // namespace
}  // namespace outlook::local::testing
