#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "outlook/items/appointment.h"
#include "outlook/items/contact.h"
#include "outlook/items/item_session.h"
#include "outlook/items/journal_entry.h"
#include "outlook/items/note.h"
#include "outlook/items/sendable_item.h"
#include "outlook/items/task.h"
#include "tests/support/recording_dispatch.h"

namespace outlook {
namespace {

using testing::RecordingDispatch;
using Log = std::vector<std::string>;

// Wrappers write their failures into the session's last error.
class ItemWrapperTest : public ::testing::Test {
protected:
    struct Session : ItemSession {
        std::string lastError;
        DispatchPtr mapiNamespace;
        std::string& LastError() override { return lastError; }
        const DispatchPtr& MapiNamespace() const override { return mapiNamespace; }
        TContact* FindContact(const std::string&) const override { return nullptr; }
    };

    ItemWrapperTest() { SetCurrentItemSession(nullptr); }
    ~ItemWrapperTest() override { SetCurrentItemSession(nullptr); }

    std::shared_ptr<RecordingDispatch> object = std::make_shared<RecordingDispatch>();
};

TEST(SubjectLine, TakesTheTrimmedFirstLine) {
    EXPECT_EQ(SubjectLine("  Call Bob\r\nabout the budget"), "Call Bob");
    EXPECT_EQ(SubjectLine("\t lunch tomorrow \n"), "lunch tomorrow");
    EXPECT_EQ(SubjectLine("one\nline ends at a line feed too"), "one");
    EXPECT_EQ(SubjectLine(" \r\n "), "");
}

TEST_F(ItemWrapperTest, CategoriesEachEndWithASemicolon) {
    TMailMessage mail(object);
    TCategory calls("Calls"), home("Home");
    EXPECT_EQ(mail.SetCategories({&calls, &home}), 0);
    EXPECT_EQ(object->properties["Categories"], Variant("Calls;Home;"));
    EXPECT_EQ(mail.SetCategories({}), 0);
    EXPECT_EQ(object->properties["Categories"], Variant(""));
}

TEST_F(ItemWrapperTest, AttachmentsGoLastByValueOrByReference) {
    auto attachments = std::make_shared<RecordingDispatch>();
    object->properties["Attachments"] = DispatchPtr(attachments);
    TTask task(object);
    EXPECT_EQ(task.AddFileAttachment("/tmp/budget.ods", true), 0);
    EXPECT_EQ(task.AddFileAttachment("/tmp/budget.ods", false), 0);
    ASSERT_EQ(attachments->calls.size(), 2u);
    EXPECT_EQ(attachments->calls[0].arguments,
              (Arguments{"/tmp/budget.ods", std::int32_t{4}, std::int32_t{999999}}));
    EXPECT_EQ(attachments->calls[1].arguments[1], Variant(std::int32_t{1}));

    attachments->failing = {"Add"};
    TCategory notAnObject("Calls");
    EXPECT_EQ(task.AddContactLink(notAnObject), 5) << "a category has no object to link";
    EXPECT_EQ(task.AddItemCopy(notAnObject), 6);
    EXPECT_EQ(task.AddFileAttachment("/missing", true), 44) << "a link may be what failed";
    EXPECT_EQ(task.AddFileAttachment("/missing", false), 6) << "a copy is no link";
}

TEST_F(ItemWrapperTest, NoteHasNoSubjectButABodyAndCoordinates) {
    TNote note(object);
    EXPECT_EQ(note.SetSubject("anything"), 0);
    EXPECT_TRUE(object->log.empty());
    EXPECT_EQ(note.SetCoordinates(10, 20, 194, 182), 0);
    EXPECT_EQ(object->log, (Log{"put Left", "put Top", "put Width", "put Height"}));
    object->failing = {"Top"};
    EXPECT_EQ(note.SetCoordinates(1, 2, 3, 4), 50);
    EXPECT_EQ(object->properties["Left"], Variant(std::int32_t{1})) << "nothing is undone";
}

TEST_F(ItemWrapperTest, SendableItemsSaveWithoutRecipientsAndSendWithThem) {
    TMailMessage mail(object);
    EXPECT_EQ(mail.Commit(), 0);
    EXPECT_EQ(object->log, (Log{"call Save"}));
    object->log.clear();
    mail.hasRecipients = true;
    object->failing = {"Send"};
    EXPECT_EQ(mail.Commit(), 42);
    EXPECT_EQ(object->log, (Log{"call Send"}));
}

TEST_F(ItemWrapperTest, AppointmentBecomesAMeetingOnlyWithRecipients) {
    TAppointment appointment(object);
    EXPECT_EQ(appointment.Commit(), 0);
    EXPECT_EQ(object->log, (Log{"put BusyStatus", "call Save"}));
    object->log.clear();
    appointment.hasRecipients = true;
    EXPECT_EQ(appointment.Commit(), 0);
    EXPECT_EQ(object->log,
              (Log{"put BusyStatus", "put MeetingStatus", "put ResponseRequested", "call Send"}));
    EXPECT_EQ(object->properties["MeetingStatus"], Variant(std::int32_t{1}));
    object->failing = {"Send"};
    EXPECT_EQ(appointment.Commit(), 2) << "the meeting branch reports a failed save";
}

TEST_F(ItemWrapperTest, JournalCommitStampsNowWithNoDuration) {
    TOLjournalEntry journal(object);
    EXPECT_EQ(journal.Commit(), 0);
    EXPECT_EQ(object->log, (Log{"put Duration", "put Start", "call Save"}));
    EXPECT_EQ(object->properties["Start"].type(), Variant::Type::Date);
    EXPECT_GT(object->properties["Start"].asDate().serial, 46000.0);  // after 2025
}

TEST_F(ItemWrapperTest, FailuresBecomeTheSessionsLastErrorAndTheirOwnIds) {
    Session session;
    SetCurrentItemSession(&session);

    TTask task(object);
    object->failing = {"DueDate", "TotalWork", "Contacts", "Companies", "Subject", "Body"};
    EXPECT_EQ(task.SetDueDate({36000}), 18);
    EXPECT_EQ(session.lastError, "DueDate failed");
    EXPECT_EQ(task.SetTotalWork(0.5), 17);
    EXPECT_EQ(task.SetContacts("Ann Lee"), 16);
    EXPECT_EQ(task.SetCompanies("Acme"), 15);
    EXPECT_EQ(task.SetSubject("x"), 8);
    EXPECT_EQ(task.SetBody("x"), 3);
    EXPECT_EQ(session.lastError, "Body failed");

    TAppointment appointment(object);
    object->failing = {"Start", "End", "AllDayEvent", "ReminderSet"};
    EXPECT_EQ(appointment.SetStart({1}), 14);
    EXPECT_EQ(appointment.SetEnd({1}), 13);
    EXPECT_EQ(appointment.SetAllDayEvent(true), 11);
    EXPECT_EQ(appointment.SetReminder(true), 54);

    TOLjournalEntry journal(object);
    TContact ann("AB", {"Lee, Ann", "Ann", "Lee", "Acme"});
    object->failing = {"Companies", "Type"};
    EXPECT_EQ(journal.SetContact(ann), 10);
    EXPECT_EQ(object->properties["ContactNames"], Variant("Ann Lee"));
    EXPECT_EQ(journal.SetType("Phone call"), 9);
}

// The pattern goes into the object the item hands out, never onto the item itself; an item
// that has none to hand out fails with the id of its own, its cause kept.
TEST_F(ItemWrapperTest, RepeatsAreWrittenIntoTheItemsRecurrencePattern) {
    Session session;
    SetCurrentItemSession(&session);
    RecurrenceFields fields;
    fields.recurrenceType = olRecursWeekly;
    fields.interval = 2;
    fields.dayOfWeekMask = olTuesday;
    fields.patternStartDate = std::chrono::local_days(std::chrono::year(2026) / 12 / 8);

    for (const bool isTask : {false, true}) {
        auto item = std::make_shared<RecordingDispatch>();
        auto pattern = std::make_shared<RecordingDispatch>();
        item->results["GetRecurrencePattern"] = DispatchPtr(pattern);
        TAppointment appointment(item);
        TTask task(item);
        EXPECT_EQ(isTask ? task.SetRecurrence(fields) : appointment.SetRecurrence(fields), 0);
        EXPECT_EQ(item->log, (Log{"call GetRecurrencePattern"}));
        EXPECT_EQ(pattern->properties["RecurrenceType"], Variant(std::int32_t{olRecursWeekly}));
        EXPECT_EQ(pattern->properties["Interval"], Variant(std::int32_t{2}));
        EXPECT_EQ(pattern->properties["DayOfWeekMask"], Variant(std::int32_t{olTuesday}));
        EXPECT_EQ(pattern->properties["NoEndDate"], Variant(true));

        item->failing = {"GetRecurrencePattern"};
        EXPECT_EQ(isTask ? task.SetRecurrence(fields) : appointment.SetRecurrence(fields),
                  messages::kRecurrenceFailed);
        EXPECT_EQ(session.lastError, "GetRecurrencePattern failed");

        item->failing.clear();
        item->results["GetRecurrencePattern"] = DispatchPtr();
        EXPECT_EQ(appointment.SetRecurrence(fields), messages::kRecurrenceFailed)
            << "a null pattern";
        item->results["GetRecurrencePattern"] = DispatchPtr(pattern);
        pattern->failing = {"Interval"};
        EXPECT_EQ(task.SetRecurrence(fields), messages::kRecurrenceFailed);
        EXPECT_EQ(session.lastError, "Interval failed");
    }
}

// A recipient source that takes every entry, or refuses them with a message id.
class FixedRecipients : public RecipientSource {
public:
    explicit FixedRecipients(MessageId result) : result_(result) {}
    MessageId AddEntriesTo(Dispatch&, mapi::ULONG) const override { return result_; }

private:
    MessageId result_;
};

// A task is assigned only once its recipients are on it: assigning one whose recipients
// could not be added would send it to nobody.
TEST_F(ItemWrapperTest, ATaskIsAssignedOnlyAfterItsRecipientsWereAdded) {
    Session session;
    SetCurrentItemSession(&session);
    object->properties["Recipients"] = DispatchPtr(std::make_shared<RecordingDispatch>());
    TTask task(object);
    const auto assigned = [this] { return std::ranges::count(object->log, "call Assign") > 0; };

    EXPECT_EQ(task.AddRecipients(FixedRecipients(39), kToRecipients), 39);
    EXPECT_FALSE(assigned()) << "an entry without a display name";
    object->failing = {"Recipients"};
    EXPECT_EQ(task.AddRecipients(FixedRecipients(0), kToRecipients), 40);
    EXPECT_FALSE(assigned()) << "no Recipients collection";
    EXPECT_FALSE(task.hasRecipients);

    object->failing.clear();
    EXPECT_EQ(task.AddRecipients(FixedRecipients(0), kToRecipients), 0);
    EXPECT_EQ(object->log.back(), "call Assign") << "assigned once they were added";
}

TEST(TotalWork, CountsOnlyTheTimeOfDayInMinutes) {
    EXPECT_EQ(TotalWorkMinutes(2.0 / 24 + 15.0 / 1440), 135);
    EXPECT_EQ(TotalWorkMinutes(1 + 2.5 / 24), 150);
    EXPECT_EQ(TotalWorkMinutes(30.0 / 86400), 0) << "seconds are not counted";
}

TEST(TContact, NamesFollowTheirRules) {
    TContact ann("K1", {FileAsName("Ann", "Lee", ""), "Ann", "Lee", ""});
    EXPECT_EQ(ann.FileAs(), "Lee, Ann");
    EXPECT_EQ(ann.FullName(), "Ann Lee");
    TContact acme("K2", {FileAsName("", "", "Acme"), "", "", "Acme"});
    EXPECT_EQ(acme.FullName(), "Acme");
    EXPECT_EQ(acme.FileAs(), "Acme");
    EXPECT_EQ(FileAsName("", "Lee", "Acme"), "Lee");
    EXPECT_EQ(FileAsName("Ann", "", "Acme"), "Ann");
    EXPECT_EQ(FileAsName("", "", ""), "");

    ann.SetNames({"Lee-Smith, Ann", "Ann", "Lee-Smith", ""});
    EXPECT_EQ(ann.FullName(), "Ann Lee-Smith") << "a new name is not hidden by the old one";
}

TEST(TContact, CopiesNeverTakeTheOriginalEntryId) {
    TContact original("K1", {"Lee, Ann", "Ann", "Lee", ""}, mapi::Binary{1, 2, 3});
    original.keywordsCustomized = true;
    original.keywordCount = 2;
    TContact copy(original);
    EXPECT_FALSE(copy.OriginalEntryId());
    EXPECT_TRUE(copy.keywordsCustomized);
    EXPECT_EQ(copy.keywordCount, 2);
    EXPECT_EQ(copy.FullName(), "Ann Lee");

    TContact target("K9", {"X", "X", "", ""}, mapi::Binary{9});
    target = original;
    EXPECT_EQ(target.Key(), "K1");
    EXPECT_EQ(target.OriginalEntryId(), mapi::Binary{9}) << "assignment keeps the target's own";
}

}  // namespace
}  // namespace outlook
