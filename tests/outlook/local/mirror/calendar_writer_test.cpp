#include "outlook/local/mirror/calendar_writer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "outlook/local/store/file_time.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"

namespace outlook::local::testing {
namespace {

using mirror::calendarOf;
using mirror::calendarProblems;

class MirrorCalendarWriter : public MirrorFixture {
protected:
    DispatchPtr saved(std::int32_t type, const char* subject) {
        auto item = createItem(type);
        item->put("Subject", subject);
        item->call("Save");
        return item;
    }
};

TEST_F(MirrorCalendarWriter, TimesAreInUtcAndAllDayAppointmentsAreLocalDates) {
    // 12:00 in New York in July is 16:00 UTC.
    auto lunch = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13, 30));
    std::string text = calendar(lunch);
    EXPECT_EQ(lineOf(text, "DTSTART"), "DTSTART:20260718T160000Z");
    EXPECT_EQ(lineOf(text, "DTEND"), "DTEND:20260718T173000Z");
    EXPECT_EQ(lineOf(text, "UID"), "UID:" + uidOf(lunch));

    // 23:30 local on 8 December is already the 9th in UTC; the day stays the 8th.
    auto late = appointment("Late", localDate(2026, 12, 8, 23, 30), localDate(2026, 12, 9, 0, 30));
    late->put("AllDayEvent", true);
    late->call("Save");
    text = calendar(late);
    EXPECT_EQ(lineOf(text, "DTSTART"), "DTSTART;VALUE=DATE:20261208");
    EXPECT_EQ(lineOf(text, "DTEND"), "DTEND;VALUE=DATE:20261210");

    auto days = appointment("Fair", localDate(2026, 12, 8), localDate(2026, 12, 10));
    days->put("AllDayEvent", true);
    days->call("Save");
    text = calendar(days);
    EXPECT_EQ(lineOf(text, "DTSTART"), "DTSTART;VALUE=DATE:20261208");
    EXPECT_EQ(lineOf(text, "DTEND"), "DTEND;VALUE=DATE:20261210");

    // An all-day appointment whose end is its start still lasts its day.
    auto zero = appointment("Holiday", localDate(2026, 12, 24), localDate(2026, 12, 24));
    zero->put("AllDayEvent", true);
    zero->call("Save");
    EXPECT_EQ(lineOf(calendar(zero), "DTEND"), "DTEND;VALUE=DATE:20261225");
}

TEST_F(MirrorCalendarWriter, TextCategoriesAndBusyStatusAreCarried) {
    auto item =
        appointment("Lunch, drinks; talk", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    item->put("Body", "First line\r\nSecond, with \\ and ;");
    item->put("Categories", "Business; Hot Contacts");
    item->put("BusyStatus", olFree);
    item->put("Location", "Cafe, 2nd floor");
    // Without a reminder, whose alarm has a description of its own.
    item->put("ReminderSet", false);
    item->call("Save");
    std::string text = calendar(item);
    EXPECT_EQ(lineOf(text, "SUMMARY"), "SUMMARY:Lunch\\, drinks\\; talk");
    EXPECT_EQ(lineOf(text, "LOCATION"), "LOCATION:Cafe\\, 2nd floor");
    EXPECT_EQ(lineOf(text, "DESCRIPTION"), "DESCRIPTION:First line\\nSecond\\, with \\\\ and \\;");
    EXPECT_EQ(lineOf(text, "CATEGORIES"), "CATEGORIES:Business,Hot Contacts");
    EXPECT_EQ(lineOf(text, "TRANSP"), "TRANSP:TRANSPARENT");
    EXPECT_EQ(lineOf(text, "STATUS"), "(none)");

    item->put("BusyStatus", olTentative);
    item->call("Save");
    text = calendar(item);
    EXPECT_EQ(lineOf(text, "TRANSP"), "TRANSP:OPAQUE");
    EXPECT_EQ(lineOf(text, "STATUS"), "STATUS:TENTATIVE");
    // Stamped with the item's own change time, so unchanged items give unchanged text.
    EXPECT_EQ(calendarOf(store(), recordOf(item)), text);
}

TEST_F(MirrorCalendarWriter, RemindersBecomeAlarmsAtTheItemsOwnLeadOrTime) {
    // A new appointment reminds a quarter of an hour before it starts.
    auto item = appointment("Dentist", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    std::string text = calendar(item);
    EXPECT_EQ(linesOf(text, "BEGIN").back(), "BEGIN:VALARM");
    EXPECT_EQ(lineOf(text, "TRIGGER"), "TRIGGER:-PT15M");
    EXPECT_EQ(lineOf(text, "ACTION"), "ACTION:DISPLAY");
    item->put("ReminderMinutesBeforeStart", 90);
    item->call("Save");
    EXPECT_EQ(lineOf(calendar(item), "TRIGGER"), "TRIGGER:-PT1H30M");
    item->put("ReminderSet", false);
    item->call("Save");
    EXPECT_EQ(linesOf(calendar(item), "BEGIN").size(), 2u);

    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->put("ReminderSet", true);
    task->call("Save");
    // Without a due date or a reminder time there is nothing to ring at.
    EXPECT_EQ(lineOf(calendar(task), "TRIGGER"), "(none)");
    task->put("DueDate", localDate(2026, 12, 8));
    task->call("Save");
    EXPECT_EQ(lineOf(calendar(task), "TRIGGER"), "TRIGGER;RELATED=END:PT8H");
    task->put("DueDate", localDate(2026, 12, 8, 17));
    task->call("Save");
    EXPECT_EQ(lineOf(calendar(task), "TRIGGER"), "TRIGGER;RELATED=END:PT0S");
    // A reminder time of its own rings then (9:15 in New York in December is 14:15 UTC).
    task->put("ReminderTime", localDate(2026, 12, 7, 9, 15));
    task->call("Save");
    EXPECT_EQ(lineOf(calendar(task), "TRIGGER"), "TRIGGER;VALUE=DATE-TIME:20261207T141500Z");
}

TEST_F(MirrorCalendarWriter, TasksHaveTheirDueDateAndWork) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->put("DueDate", localDate(2026, 12, 8));
    task->put("TotalWork", 90);
    task->put("Categories", "Goals/Objectives");
    task->call("Save");
    std::string text = calendar(task);
    EXPECT_EQ(linesOf(text, "BEGIN")[1], "BEGIN:VTODO");
    EXPECT_EQ(lineOf(text, "DUE"), "DUE;VALUE=DATE:20261208");
    EXPECT_EQ(lineOf(text, "ESTIMATED-DURATION"), "ESTIMATED-DURATION:PT1H30M");
    EXPECT_EQ(lineOf(text, "CATEGORIES"), "CATEGORIES:Goals/Objectives");
    EXPECT_EQ(lineOf(text, "STATUS"), "(none)");

    // The task's progress is the to-do's status.
    task->put("Status", static_cast<std::int32_t>(olTaskInProgress));
    task->call("Save");
    EXPECT_EQ(lineOf(calendar(task), "STATUS"), "STATUS:IN-PROCESS");
    task->put("Status", static_cast<std::int32_t>(olTaskWaiting));
    task->call("Save");
    EXPECT_EQ(lineOf(calendar(task), "STATUS"), "STATUS:NEEDS-ACTION");
    task->put("Status", static_cast<std::int32_t>(olTaskComplete));
    task->call("Save");
    text = calendar(task);
    EXPECT_EQ(lineOf(text, "STATUS"), "STATUS:COMPLETED");
    EXPECT_EQ(lineOf(text, "PERCENT-COMPLETE"), "PERCENT-COMPLETE:100");

    // A due time of day is kept, in UTC (17:00 EST is 22:00 UTC).
    task->put("DueDate", localDate(2026, 12, 8, 17));
    task->call("Save");
    EXPECT_EQ(lineOf(calendar(task), "DUE"), "DUE:20261208T220000Z");
}

TEST_F(MirrorCalendarWriter, RecipientsAreAttendeesWithTheirRoles) {
    saveContact("Ann", "Lee", "ann@example.com");
    saveContact("Bob", "Stone", "bob@example.com");
    auto meeting = appointment("Review", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    auto recipients = meeting->get("Recipients").asObject();
    recipients->call("Add", {"Ann Lee"}).asObject()->call("Resolve", {});
    auto bob = recipients->call("Add", {"Bob Stone"}).asObject();
    bob->put("Type", olCC);
    bob->call("Resolve", {});
    recipients->call("Add", {"Carol"}).asObject()->put("Type", olCC);
    recipients->call("Add", {"Room 4"}).asObject()->put("Type", olBCC);
    meeting->call("Save");
    const auto attendees = linesOf(calendar(meeting), "ATTENDEE");
    ASSERT_EQ(attendees.size(), 4u);
    EXPECT_EQ(attendees[0], "ATTENDEE;CN=Ann Lee;ROLE=REQ-PARTICIPANT:mailto:ann@example.com");
    EXPECT_EQ(attendees[1], "ATTENDEE;CN=Bob Stone;ROLE=OPT-PARTICIPANT:mailto:bob@example.com");
    // Unresolved names keep their name, with no address to write.
    EXPECT_EQ(attendees[2], "ATTENDEE;CN=Carol;ROLE=OPT-PARTICIPANT:invalid:nomail");
    EXPECT_EQ(attendees[3],
              "ATTENDEE;CN=Room 4;CUTYPE=RESOURCE;ROLE=NON-PARTICIPANT:invalid:nomail");
}

TEST_F(MirrorCalendarWriter, LinksBecomeContactsRelatedItemsAndFileUris) {
    auto ann = saveContact("Ann", "Lee", "ann@example.com");
    auto other = saved(olTaskItem, "Prepare");
    const fs::path file = temp.path() / "minutes and notes.txt";
    std::ofstream(file) << "minutes";

    auto item = appointment("Review", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    auto attachments = item->get("Attachments").asObject();
    attachments->call("Add", {ann, olByReference});
    attachments->call("Add", {other, olByReference});
    attachments->call("Add", {file.string(), olByReference});
    attachments->call("Add", {file.string(), olByValue});  // stays in the store
    item->call("Save");
    const std::string text = calendar(item);
    EXPECT_EQ(lineOf(text, "CONTACT"), "CONTACT;X-JOTWISE-UID=" + uidOf(ann) + ":Ann Lee");
    EXPECT_EQ(lineOf(text, "RELATED-TO"), "RELATED-TO;RELTYPE=SIBLING:" + uidOf(other));
    EXPECT_EQ(lineOf(text, "ATTACH"),
              "ATTACH:file://" + temp.path().string() + "/minutes%20and%20notes.txt");

    // Names of contacts kept as text are contacts too, each once.
    auto journal = createItem(olJournalItem);
    journal->put("Subject", "Call");
    journal->put("ContactNames", "Ann Lee; Bob Stone");
    journal->get("Attachments").asObject()->call("Add", {ann, olByReference});
    journal->call("Save");
    const auto contacts = linesOf(calendar(journal), "CONTACT");
    ASSERT_EQ(contacts.size(), 2u);
    EXPECT_EQ(contacts[0], "CONTACT;X-JOTWISE-UID=" + uidOf(ann) + ":Ann Lee");
    EXPECT_EQ(contacts[1], "CONTACT:Bob Stone");
}

TEST_F(MirrorCalendarWriter, JournalEntriesAndNotesAreJournals) {
    auto journal = createItem(olJournalItem);
    journal->put("Subject", "Called the bank");
    journal->put("Type", "Phone call");
    journal->put("Start", localDate(2026, 7, 18, 9));
    journal->call("Save");
    std::string text = calendar(journal);
    EXPECT_EQ(linesOf(text, "BEGIN")[1], "BEGIN:VJOURNAL");
    EXPECT_EQ(lineOf(text, "DTSTART"), "DTSTART:20260718T130000Z");
    EXPECT_EQ(lineOf(text, "X-JOTWISE-JOURNAL-TYPE"), "X-JOTWISE-JOURNAL-TYPE:Phone call");

    auto note = createItem(olNoteItem);
    note->put("Body", "  Buy milk\nand bread");
    note->call("Save");
    text = calendar(note);
    EXPECT_EQ(linesOf(text, "BEGIN")[1], "BEGIN:VJOURNAL");
    EXPECT_EQ(lineOf(text, "SUMMARY"), "SUMMARY:Buy milk");
    EXPECT_EQ(lineOf(text, "DESCRIPTION"), "DESCRIPTION:  Buy milk\\nand bread");
    EXPECT_NE(lineOf(text, "DTSTART"), "(none)");

    EXPECT_EQ(calendarOf(store(), recordOf(saved(olMailItem, "Hello"))), "");
    EXPECT_EQ(calendarOf(store(), recordOf(saveContact("Ann", "Lee", "ann@example.com"))), "");
}

TEST_F(MirrorCalendarWriter, ADocumentHoldsManyItemsInOneCalendar) {
    mirror::CalendarDocument document(store());
    EXPECT_TRUE(document.add(
        recordOf(appointment("A", localDate(2026, 7, 1, 9), localDate(2026, 7, 1, 10)))));
    EXPECT_TRUE(document.add(recordOf(saved(olTaskItem, "B"))));
    EXPECT_FALSE(document.add(recordOf(saved(olMailItem, "C"))));
    EXPECT_EQ(document.size(), 2u);
    const std::string text = document.text();
    EXPECT_EQ(calendarProblems(text), std::vector<std::string>{});
    EXPECT_EQ(linesOf(text, "BEGIN"), (std::vector<std::string>{"BEGIN:VCALENDAR", "BEGIN:VEVENT",
                                                                "BEGIN:VALARM", "BEGIN:VTODO"}));
    EXPECT_EQ(linesOf(text, "VERSION"), std::vector<std::string>{"VERSION:2.0"});
}

TEST(MirrorCalendarProblems, LibicalFindsWhatIsWrong) {
    EXPECT_FALSE(calendarProblems("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x\r\n"
                                  "DTSTART:2026bad\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                     .empty());
    EXPECT_FALSE(calendarProblems("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x\r\n"
                                  "SUMMARY:a\r\nSUMMARY:b\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                     .empty());
    EXPECT_FALSE(calendarProblems("not a calendar").empty());
}

}  // namespace
}  // namespace outlook::local::testing
