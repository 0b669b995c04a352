#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "outlook/items/appointment.h"
#include "outlook/items/journal_entry.h"
#include "outlook/items/note.h"
#include "outlook/items/task.h"
#include "outlook/ole_date.h"
#include "outlook/recipients/mailing_info.h"
#include "tests/support/failing_dispatch.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

using namespace std::chrono;

using testing::FailingDispatch;

OleDate at(int y, unsigned m, unsigned d, int h, int min = 0) {
    return OleDateFromLocal(local_days(year{y} / month{m} / day{d}) + hours(h) + minutes(min));
}

class ItemWrappersInStoreTest : public testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        annKey = addContact("Ann", "Lee", "Acme", "ann@example.com");
        ASSERT_EQ(connect(), 0) << session->LastError();
        attachment = folder.path() / "budget.txt";
        std::ofstream(attachment) << "budget";
    }

    // The saved item behind a wrapper, read back from the store.
    DispatchPtr reread(TItem& item) {
        return application()
            ->call("GetNamespace", {"MAPI"})
            .asObject()
            ->call("GetItemFromID", {item.GetObject()->get("EntryID")})
            .asObject();
    }
    std::string folderOf(const DispatchPtr& item) {
        return item->get("Parent").asObject()->get("Name").asString();
    }

    std::string annKey;
    std::filesystem::path attachment;
};

TEST_F(ItemWrappersInStoreTest, AnAppointmentIsFiledWithEverythingSetOnIt) {
    auto appointment = session->CreateAppointment();
    ASSERT_NE(appointment, nullptr);
    TCategory calls("Calls"), home("Home");
    EXPECT_EQ(appointment->SetSubject("  Lunch with Ann\r\nat the usual place"), 0);
    EXPECT_EQ(appointment->SetBody("Lunch with Ann\r\nat the usual place"), 0);
    EXPECT_EQ(appointment->SetStart(at(2026, 12, 8, 12)), 0);
    EXPECT_EQ(appointment->SetEnd(at(2026, 12, 8, 13, 30)), 0);
    EXPECT_EQ(appointment->SetAllDayEvent(false), 0);
    EXPECT_EQ(appointment->SetReminder(true), 0);
    EXPECT_EQ(appointment->SetCategories({&calls, &home}), 0);
    EXPECT_EQ(appointment->AddContactLink(*session->FindContact(annKey)), 0)
        << session->LastError();
    EXPECT_EQ(appointment->AddFileAttachment(attachment.string(), false), 0);
    EXPECT_EQ(appointment->AddFileAttachment(attachment.string(), true), 0);
    ASSERT_EQ(appointment->Commit(), 0) << session->LastError();

    const DispatchPtr saved = reread(*appointment);
    EXPECT_EQ(folderOf(saved), "Calendar");
    EXPECT_EQ(saved->get("Subject").asString(), "Lunch with Ann");
    EXPECT_EQ(saved->get("Start").asDate(), at(2026, 12, 8, 12));
    EXPECT_EQ(saved->get("End").asDate(), at(2026, 12, 8, 13, 30));
    EXPECT_EQ(saved->get("BusyStatus").asInt(), 2);
    EXPECT_TRUE(saved->get("ReminderSet").asBool());
    EXPECT_EQ(saved->get("Categories").asString(), "Calls; Home");
    EXPECT_EQ(saved->get("Attachments").asObject()->get("Count").asInt(), 3);
}

TEST_F(ItemWrappersInStoreTest, TasksNotesJournalEntriesAndMailAreFiledInTheirFolders) {
    auto task = session->CreateTask();
    EXPECT_EQ(task->SetSubject("budget"), 0);
    EXPECT_EQ(task->SetDueDate(at(2026, 12, 9, 0)), 0);
    EXPECT_EQ(task->SetTotalWork(2.0 / 24 + 15.0 / 1440), 0);
    EXPECT_EQ(task->SetContacts("Ann Lee"), 0);
    EXPECT_EQ(task->SetCompanies("Acme"), 0);
    ASSERT_EQ(task->Commit(), 0) << session->LastError();
    const DispatchPtr savedTask = reread(*task);
    EXPECT_EQ(folderOf(savedTask), "Tasks");
    EXPECT_EQ(savedTask->get("TotalWork").asInt(), 135);
    EXPECT_EQ(savedTask->get("Companies").asString(), "Acme");

    auto note = session->CreateNote();
    EXPECT_EQ(note->SetSubject("ignored"), 0);
    EXPECT_EQ(note->SetBody("call the bank\r\nbefore noon"), 0);
    EXPECT_EQ(note->SetCoordinates(10, 20, 194, 182), 0);
    ASSERT_EQ(note->Commit(), 0);
    const DispatchPtr savedNote = reread(*note);
    EXPECT_EQ(folderOf(savedNote), "Notes");
    EXPECT_EQ(savedNote->get("Width").asInt(), 194);

    auto journal = session->CreateJournalEntry();
    EXPECT_EQ(journal->SetContact(*session->FindContact(annKey)), 0);
    EXPECT_EQ(journal->SetType("Phone call"), 0);
    ASSERT_EQ(journal->Commit(), 0) << session->LastError();
    const DispatchPtr savedJournal = reread(*journal);
    EXPECT_EQ(folderOf(savedJournal), "Journal");
    EXPECT_EQ(savedJournal->get("ContactNames").asString(), "Ann Lee");
    EXPECT_EQ(savedJournal->get("Duration").asInt(), 0);

    auto mail = session->CreateMailMessage();
    EXPECT_EQ(mail->SetSubject("no recipients yet"), 0);
    ASSERT_EQ(mail->Commit(), 0) << "without recipients mail is saved, not sent";
    EXPECT_NE(folderOf(reread(*mail)), "Sent Items");
}

TEST_F(ItemWrappersInStoreTest, AFailureReportsItsIdAndTextAndKeepsWhatWasSet) {
    const DispatchPtr real = application()->call("CreateItem", {olAppointmentItem}).asObject();
    auto failing = std::make_shared<FailingDispatch>(real);
    TAppointment appointment(failing);
    EXPECT_EQ(appointment.SetSubject("planning"), 0);
    failing->failing() = {"End"};
    EXPECT_EQ(appointment.SetEnd(at(2026, 12, 8, 10)), 13);
    EXPECT_EQ(session->takeLastError(), "Outlook refused 'End'");
    EXPECT_EQ(real->get("Subject").asString(), "planning");

    failing->failing() = {"Send"};
    appointment.hasRecipients = true;
    EXPECT_EQ(appointment.Commit(), 2) << "a failed meeting request is a failed save";
    EXPECT_EQ(real->get("MeetingStatus").asInt(), 1) << "nothing set before is undone";

    auto task = std::make_shared<FailingDispatch>(
        application()->call("CreateItem", {olTaskItem}).asObject());
    TTask wrapped(task);
    TMailingInfo none;
    task->failing() = {"Assign"};
    EXPECT_EQ(wrapped.AddRecipients(none, kToRecipients), 43);
    task->failing() = {"Recipients"};
    EXPECT_EQ(wrapped.AddRecipients(none, kToRecipients), 40);
}

// Why Outlook refuses to send an item, or "" when it sends it.
std::string sendRefusal(const DispatchPtr& item) {
    try {
        item->call("Send");
        return "";
    } catch (const AutomationError& error) {
        return error.what();
    }
}

TEST_F(ItemWrappersInStoreTest, ATaskIsAssignedOnlyOnceItsRecipientsAreOnIt) {
    const DispatchPtr real = application()->call("CreateItem", {olTaskItem}).asObject();
    auto failing = std::make_shared<FailingDispatch>(real);
    TTask task(failing);
    TMailingInfo ann;
    ASSERT_EQ(ann.SetContactRecipient(annKey, false), 0);
    TMailingInfo nameless;
    nameless.SetList(
        {mapi::ADRENTRY{{mapi::SPropValue::integer(mapi::PR_RECIPIENT_TYPE, mapi::MAPI_TO)}}});

    failing->failing() = {"Recipients"};
    EXPECT_EQ(task.AddRecipients(ann, kToRecipients), 40);
    failing->failing().clear();
    EXPECT_EQ(task.AddRecipients(nameless, kToRecipients), 39);
    EXPECT_THAT(sendRefusal(real), ::testing::HasSubstr("not assigned"));

    EXPECT_EQ(task.AddRecipients(ann, kToRecipients), 0) << session->LastError();
    EXPECT_EQ(task.Commit(), 0) << session->LastError();
}

}  // namespace
}  // namespace outlook
