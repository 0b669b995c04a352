#include "outlook/local/item_editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "outlook/local/appointment_editor.h"
#include "outlook/local/item_editors.h"
#include "outlook/local/journal_editor.h"
#include "outlook/local/note_editor.h"
#include "outlook/local/task_editor.h"
#include "outlook/ole_date.h"
#include "tests/outlook/local/repeating_items.h"
#include "tests/support/local_store_fixture.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/store_trouble.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using ::testing::_;
using ::testing::HasSubstr;
using ::testing::Return;
using Outcome = ItemEditor::Outcome;

constexpr year_month_day kDay = 2026y / March / 10;

Variant at(year_month_day day, minutes time) {
    return OleDateFromLocal(time_point_cast<milliseconds>(local_days{day} + time));
}

local_seconds localAt(year_month_day day, minutes time) {
    return local_days{day} + time;
}

class ItemEditorTest : public LocalStoreFixture {
protected:
    DispatchPtr dentist() {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", "Dentist");
        item->put("Start", at(kDay, 15h));
        item->put("End", at(kDay, 15h + 30min));
        item->call("Save");
        return item;
    }
    // The item as the store has it now, not as an open object holds it.
    DispatchPtr stored(const DispatchPtr& item) {
        return mapiNamespace()->call("GetItemFromID", {item->get("EntryID").asString()}).asObject();
    }
    local_seconds storedTime(const DispatchPtr& item, const char* property) {
        return LocalFromOleDate(stored(item)->get(property).asDate());
    }
    // Another program's store on the same file.
    DispatchPtr otherProgramsCopy(const DispatchPtr& item) {
        std::string error;
        other_ = LocalOutlook::open(dbPath(), registry, loop, &error);
        auto app = other_->automation().createObject("Outlook.Application");
        auto ns = app->call("GetNamespace", {"MAPI"}).asObject();
        return ns->call("GetItemFromID", {item->get("EntryID").asString()}).asObject();
    }

private:
    std::unique_ptr<LocalOutlook> other_;
};

TEST_F(ItemEditorTest, AnAppointmentEditedThroughItsEditorReadsBackFromTheStore) {
    auto item = dentist();
    AppointmentEditor editor(item, mapiNamespace());
    EXPECT_EQ(editor.caption(), "Dentist - Appointment");
    EXPECT_EQ(editor.start.time, "3:00pm");
    EXPECT_FALSE(editor.modified());

    // The user meant 4pm: moving the start keeps the end where the form shows it.
    editor.start.time = "4pm";
    editor.end.time = "17:15";
    editor.location = "Smile Street 4";
    editor.reminder = true;
    editor.reminderMinutes = 30;
    editor.busyStatus = olOutOfOffice;
    editor.setCategories("Personal; Health");
    editor.setBody("Bring the card");
    EXPECT_TRUE(editor.modified());
    EXPECT_EQ(editor.save().outcome, Outcome::Saved);
    EXPECT_FALSE(editor.modified());

    const auto back = stored(item);
    EXPECT_EQ(storedTime(item, "Start"), localAt(kDay, 16h));
    EXPECT_EQ(storedTime(item, "End"), localAt(kDay, 17h + 15min));
    EXPECT_EQ(back->get("Location").asString(), "Smile Street 4");
    EXPECT_TRUE(back->get("ReminderSet").asBool());
    EXPECT_EQ(back->get("ReminderMinutesBeforeStart").asInt(), 30);
    EXPECT_EQ(back->get("BusyStatus").asInt(), olOutOfOffice);
    EXPECT_EQ(back->get("Categories").asString(), "Personal; Health");
    EXPECT_EQ(back->get("Body").asString(), "Bring the card");

    // A whole day ends at the midnight after its last day, and reads back as that day.
    editor.allDay = true;
    editor.end.day = 2026y / March / 11;
    ASSERT_EQ(editor.save().outcome, Outcome::Saved);
    EXPECT_EQ(storedTime(item, "Start"), localAt(kDay, 0min));
    EXPECT_EQ(storedTime(item, "End"), localAt(2026y / March / 12, 0min));
    AppointmentEditor again(stored(item), mapiNamespace());
    EXPECT_TRUE(again.allDay);
    EXPECT_EQ(again.end.day, 2026y / March / 11);
    EXPECT_FALSE(again.modified());
}

TEST_F(ItemEditorTest, TheEndFollowsASettledStartSoTheLengthStays) {
    AppointmentEditor editor(dentist(), mapiNamespace());
    editor.start.time = "4";  // typed half-way: nothing moves until the field is left
    editor.start.time = "4pm";
    EXPECT_TRUE(editor.startSettled());
    EXPECT_EQ(editor.end.time, "4:30pm");
    editor.start.day = 2026y / March / 12;
    EXPECT_TRUE(editor.startSettled());
    EXPECT_EQ(editor.end.day, 2026y / March / 12);
    EXPECT_EQ(editor.end.time, "4:30pm");
    EXPECT_FALSE(editor.startSettled()) << "settling the same start again moves nothing";
    // A start that cannot be read leaves the end, and the next readable one moves it from
    // the last settled start.
    editor.start.time = "half past";
    EXPECT_FALSE(editor.startSettled());
    editor.start.time = "5pm";
    EXPECT_TRUE(editor.startSettled());
    EXPECT_EQ(editor.end.time, "5:30pm");
}

TEST_F(ItemEditorTest, AnEndBeforeTheStartOrAnUnreadableTimeIsRefusedAndNothingIsWritten) {
    auto item = dentist();
    AppointmentEditor editor(item, mapiNamespace());
    editor.end.time = "2pm";
    auto result = editor.save();
    ASSERT_EQ(result.outcome, Outcome::Refused);
    EXPECT_EQ(result.problem->field, "cbEndTime");
    EXPECT_THAT(result.problem->message, HasSubstr("ends before it starts"));

    editor.end.time = "5pm";
    editor.end.day = 2026y / March / 9;
    EXPECT_EQ(editor.save().problem->field, "dtEnd") << "the day is what to correct";

    editor.end.day = kDay;
    editor.start.time = "half past";
    result = editor.save();
    ASSERT_EQ(result.outcome, Outcome::Refused);
    EXPECT_EQ(result.problem->field, "cbStartTime");
    EXPECT_THAT(result.problem->message, HasSubstr("\"half past\" is not a time"));
    EXPECT_TRUE(editor.modified());
    EXPECT_EQ(storedTime(item, "Start"), localAt(kDay, 15h));
    EXPECT_EQ(storedTime(item, "End"), localAt(kDay, 15h + 30min));
}

TEST_F(ItemEditorTest, ATaskIsEditedAndMarkCompleteSetsStatusPercentAndDate) {
    auto item = createItem(olTaskItem);
    item->put("Subject", "Tax return");
    item->call("Save");
    TaskEditor editor(item, mapiNamespace());
    EXPECT_FALSE(editor.dueDate);
    editor.subject = "File the tax return";
    editor.dueDate = 2026y / April / 30;
    editor.setStatus(olTaskInProgress);
    editor.setPercentComplete(40);
    editor.reminder = true;
    editor.reminderAt = {2026y / April / 29, "9:15 AM"};
    ASSERT_EQ(editor.save().outcome, Outcome::Saved);
    auto back = stored(item);
    EXPECT_EQ(back->get("Subject").asString(), "File the tax return");
    EXPECT_EQ(storedTime(item, "DueDate"), localAt(2026y / April / 30, 0min));
    EXPECT_EQ(back->get("Status").asInt(), olTaskInProgress);
    EXPECT_EQ(back->get("PercentComplete").asInt(), 40);
    EXPECT_EQ(storedTime(item, "ReminderTime"), localAt(2026y / April / 29, 9h + 15min));

    editor.markComplete();
    ASSERT_EQ(editor.save().outcome, Outcome::Saved);
    back = stored(item);
    EXPECT_EQ(back->get("Status").asInt(), olTaskComplete);
    EXPECT_EQ(back->get("PercentComplete").asInt(), 100);
    const auto today = floor<days>(LocalFromOleDate(OleDateNow()));
    EXPECT_EQ(floor<days>(storedTime(item, "DateCompleted")), today);

    // Opening it again is no longer done: the date goes, and the due date can go too.
    editor.setStatus(olTaskNotStarted);
    editor.dueDate.reset();
    editor.reminder = false;
    ASSERT_EQ(editor.save().outcome, Outcome::Saved);
    back = stored(item);
    EXPECT_EQ(back->get("PercentComplete").asInt(), 0);
    EXPECT_GE(back->get("DateCompleted").asDate().serial, 949998.0);
    EXPECT_GE(back->get("DueDate").asDate().serial, 949998.0);
    EXPECT_FALSE(back->get("ReminderSet").asBool());
}

TEST_F(ItemEditorTest, NotesAndJournalEntriesAreEditedAndReadBack) {
    auto note = createItem(olNoteItem);
    note->put("Body", "Van\nfix the brakes");
    note->call("Save");
    NoteEditor noteEditor(note, mapiNamespace());
    EXPECT_EQ(noteEditor.caption(), "Van - Note");
    noteEditor.setBody("Van service\nbrakes and oil");
    noteEditor.setCategories("Personal");
    ASSERT_EQ(noteEditor.save().outcome, Outcome::Saved);
    EXPECT_EQ(stored(note)->get("Subject").asString(), "Van service");
    EXPECT_EQ(stored(note)->get("Categories").asString(), "Personal");

    auto entry = createItem(olJournalItem);
    entry->put("Subject", "Call with Ann");
    entry->put("ContactNames", "Ann Lee");
    entry->put("Start", at(kDay, 9h));
    entry->call("Save");
    JournalEditor journal(entry, mapiNamespace());
    EXPECT_EQ(journal.contactNames(), "Ann Lee");
    journal.type = "Phone call";
    journal.start.time = "9:30";
    journal.durationMinutes = 25;
    ASSERT_EQ(journal.save().outcome, Outcome::Saved);
    EXPECT_EQ(stored(entry)->get("Type").asString(), "Phone call");
    EXPECT_EQ(storedTime(entry, "Start"), localAt(kDay, 9h + 30min));
    EXPECT_EQ(stored(entry)->get("Duration").asInt(), 25);
}

TEST_F(ItemEditorTest, RemoveRepeatMakesTheSavedItemASingleOne) {
    auto item = dentist();
    fileRepeating(item, everyOtherTuesday(dayOf(2026, 3, 10)));
    AppointmentEditor editor(stored(item), mapiNamespace());
    EXPECT_THAT(editor.repeat(), HasSubstr("every 2 weeks"));
    editor.removeRepeat();
    EXPECT_EQ(editor.repeat(), "");
    EXPECT_TRUE(editor.modified());
    ASSERT_EQ(editor.save().outcome, Outcome::Saved);
    EXPECT_FALSE(stored(item)->get("IsRecurring").asBool());
}

TEST_F(ItemEditorTest, AChangeByAnotherProgramIsNoticedAndEitherOverwrittenOrReloaded) {
    auto item = dentist();
    AppointmentEditor editor(item, mapiNamespace());
    editor.start.time = "4pm";
    editor.end.time = "4:30pm";

    auto theirs = otherProgramsCopy(item);
    theirs->put("Subject", "Dentist (moved)");
    theirs->call("Save");

    EXPECT_EQ(editor.save().outcome, Outcome::Changed);
    EXPECT_EQ(storedTime(item, "Start"), localAt(kDay, 15h)) << "nothing written yet";

    jotwise::testing::MockMessageBoxes boxes;
    EXPECT_CALL(boxes, show(_, HasSubstr("changed by another program"), _, _))
        .WillOnce(Return(platform::MessageAnswer::Yes))
        .WillOnce(Return(platform::MessageAnswer::No));
    ASSERT_EQ(editor.askAboutConflict(boxes, Outcome::Changed), ItemEditor::Resolution::Overwrite);
    EXPECT_FALSE(editor.overwrite());
    EXPECT_EQ(storedTime(item, "Start"), localAt(kDay, 16h));
    // What the form did not change keeps what the other program gave it.
    EXPECT_EQ(stored(item)->get("Subject").asString(), "Dentist (moved)");

    theirs = otherProgramsCopy(item);
    theirs->put("Location", "Room 2");
    theirs->call("Save");
    editor.location = "Room 9";
    ASSERT_EQ(editor.save().outcome, Outcome::Changed);
    ASSERT_EQ(editor.askAboutConflict(boxes, Outcome::Changed), ItemEditor::Resolution::Reload);
    ASSERT_TRUE(editor.reload());
    EXPECT_EQ(editor.location, "Room 2");
    EXPECT_FALSE(editor.modified());
    EXPECT_EQ(editor.save().outcome, Outcome::Saved) << "reloaded, it saves without a question";
}

TEST_F(ItemEditorTest, AnItemDeletedMeanwhileCanBeSavedAsANewOne) {
    auto item = dentist();
    AppointmentEditor editor(item, mapiNamespace());
    editor.location = "Smile Street 4";
    otherProgramsCopy(item)->call("Delete");
    EXPECT_EQ(editor.save().outcome, Outcome::Deleted);
    EXPECT_EQ(countIn(olFolderCalendar), 0);
    EXPECT_FALSE(editor.saveAsNew());
    ASSERT_EQ(countIn(olFolderCalendar), 1);
    const auto copy = stored(editor.item());
    EXPECT_EQ(copy->get("Subject").asString(), "Dentist");
    EXPECT_EQ(copy->get("Location").asString(), "Smile Street 4");
    EXPECT_EQ(LocalFromOleDate(copy->get("Start").asDate()), localAt(kDay, 15h));
}

TEST_F(ItemEditorTest, AFailedSaveGivesTheStoresReasonAndKeepsWhatWasTyped) {
    auto item = dentist();
    AppointmentEditor editor(item, mapiNamespace());
    editor.location = "Room 9";
    store().setWriteTimeout(300ms);
    {
        jotwise::testing::OtherWriter other(dbPath());
        ASSERT_TRUE(other.locked());
        const auto result = editor.save();
        ASSERT_EQ(result.outcome, Outcome::Refused);
        EXPECT_THAT(result.problem->message, HasSubstr("could not be saved"));
        EXPECT_THAT(result.problem->message, HasSubstr("another program"));
        EXPECT_EQ(result.problem->field, "");
    }
    EXPECT_EQ(editor.location, "Room 9");
    EXPECT_TRUE(editor.modified());
    EXPECT_EQ(editor.save().outcome, Outcome::Saved);
    EXPECT_EQ(stored(item)->get("Location").asString(), "Room 9");
}

TEST_F(ItemEditorTest, ClosingAsksOnlyAboutAChangedItemAndRemovedLinksCountAsAChange) {
    auto item = dentist();
    const auto file = temp.path() / "plan.txt";
    std::ofstream(file) << "x";
    item->get("Attachments").asObject()->call("Add", {file.string(), olByReference});
    item->call("Save");
    AppointmentEditor editor(item, mapiNamespace());
    jotwise::testing::MockMessageBoxes boxes;
    EXPECT_EQ(editor.askBeforeClosing(boxes), ItemEditor::Closing::Discard);

    ASSERT_EQ(editor.attachments().size(), 1u);
    EXPECT_EQ(editor.openAttachment(0).file, file);
    editor.removeAttachment(0);
    EXPECT_TRUE(editor.attachments().empty());
    EXPECT_CALL(boxes, show("Dentist - Appointment",
                            "Would you like to save the changes to Dentist?", _, _))
        .WillOnce(Return(platform::MessageAnswer::Cancel));
    EXPECT_EQ(editor.askBeforeClosing(boxes), ItemEditor::Closing::KeepOpen);
    ASSERT_EQ(editor.save().outcome, Outcome::Saved);
    EXPECT_EQ(stored(item)->get("Attachments").asObject()->get("Count").asInt(), 0);
}

TEST_F(ItemEditorTest, MailAndWhatWasSentStayReadOnly) {
    auto mail = createItem(olMailItem);
    mail->put("Subject", "Hello");
    mail->call("Save");
    EXPECT_FALSE(makeItemEditor(mail, mapiNamespace()));
    auto task = createItem(olTaskItem);
    task->call("Save");
    EXPECT_TRUE(dynamic_cast<TaskEditor*>(makeItemEditor(task, mapiNamespace()).get()));
    auto meeting = dentist();
    saveContact("Ann", "Lee", "ann@example.com");
    meeting->get("Recipients").asObject()->call("Add", {"ann lee"});
    meeting->call("Send");
    const auto outbox = defaultFolder(olFolderOutbox)->get("Items").asObject();
    ASSERT_EQ(outbox->get("Count").asInt(), 1);
    EXPECT_FALSE(makeItemEditor(outbox->call("Item", {1}).asObject(), mapiNamespace()));
    // The meeting itself stays in the calendar, where it can be edited.
    const auto editor = makeItemEditor(stored(meeting), mapiNamespace());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->kindName(), "Meeting");
}

}  // namespace
}  // namespace outlook::local::testing
