// Saving a note files real items into the local store; they are read back through the
// store's own object model, not through the wrappers that wrote them.
#include <fstream>

#include "outlook/object_model.h"
#include "outlook/ole_date.h"
#include "tests/support/address_entries.h"
#include "tests/support/note_fixture.h"
#include "tests/support/recording_dispatch.h"
#include "tests/support/store_trouble.h"

namespace notes::testing {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using outlook::DispatchPtr;
using ::testing::_;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Return;
using ::testing::StartsWith;

class FilingTest : public NoteTest {
protected:
    std::vector<DispatchPtr> itemsIn(outlook::OlDefaultFolders folder) {
        const DispatchPtr items = folderItems(folder);
        std::vector<DispatchPtr> result;
        for (std::int32_t i = 1; i <= items->get("Count").asInt(); ++i)
            result.push_back(items->call("Item", {i}).asObject());
        return result;
    }
    DispatchPtr onlyItemIn(outlook::OlDefaultFolders folder) {
        const std::vector<DispatchPtr> items = itemsIn(folder);
        if (items.size() != 1) {
            ADD_FAILURE() << items.size() << " items in folder " << folder;
            return nullptr;
        }
        return items[0];
    }
    // "type:path" for every attachment, the path being the linked item's entry id or file.
    static std::vector<std::string> attachmentsOf(const DispatchPtr& item) {
        const DispatchPtr all = item->get("Attachments").asObject();
        std::vector<std::string> result;
        for (std::int32_t i = 1; i <= all->get("Count").asInt(); ++i) {
            const DispatchPtr a = all->call("Item", {i}).asObject();
            result.push_back(std::to_string(a->get("Type").asInt()) + ":" +
                             a->get("PathName").asString());
        }
        return result;
    }
    // "name:type" for every recipient. Contacts resolve in their address-book form,
    // "Full Name (E-mail)".
    static std::vector<std::string> recipientsOf(const DispatchPtr& item) {
        const DispatchPtr all = item->get("Recipients").asObject();
        std::vector<std::string> result;
        for (std::int32_t i = 1; i <= all->get("Count").asInt(); ++i) {
            const DispatchPtr r = all->call("Item", {i}).asObject();
            result.push_back(r->get("Name").asString() + ":" +
                             std::to_string(r->get("Type").asInt()));
        }
        return result;
    }
    local_seconds at(int inDays, int hour = 0, int minute = 0) const {
        return local_days(sys_days(clock.today()).time_since_epoch() + days(inDays)) + hours(hour) +
               minutes(minute);
    }
    static local_seconds timeOf(const DispatchPtr& item, const char* property) {
        return outlook::LocalFromOleDate(item->get(property).asDate());
    }
    void pickRecipients(std::vector<std::pair<std::string, mapi::ULONG>> entries) {
        addressDialog.choice.clear();
        for (const auto& [name, type] : entries)
            addressDialog.choice.push_back(
                jotwise::testing::recipientEntry(name, static_cast<std::int32_t>(type)));
        note->imgMailClick();
    }
    std::string existingFile(const std::string& name) {
        const std::string path = (folder.path() / name).string();
        std::ofstream(path) << "contents of " << name;
        return path;
    }
};

TEST_F(FilingTest, AnAppointmentWithAContactIsFiledWithItsLinkAndJournalEntry) {
    setMemo("lunch with ann lee tomorrow at noon business");
    note->btnSaveClick();
    EXPECT_TRUE(view.closed);
    EXPECT_FALSE(view.busy);

    const DispatchPtr item = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->get("Subject").asString(), memo);
    EXPECT_EQ(item->get("Body").asString(), memo + "\n\n");
    EXPECT_EQ(item->get("Categories").asString(), "Business");
    EXPECT_EQ(timeOf(item, "Start"), at(1, 12));
    EXPECT_EQ(timeOf(item, "End"), at(1, 13));
    EXPECT_FALSE(item->get("AllDayEvent").asBool());
    EXPECT_EQ(item->get("BusyStatus").asInt(), outlook::olBusy);
    EXPECT_EQ(item->get("MeetingStatus").asInt(), outlook::olNonMeeting);
    EXPECT_EQ(attachmentsOf(item), (std::vector<std::string>{"4:" + ann}));

    const DispatchPtr journal = onlyItemIn(outlook::olFolderJournal);
    ASSERT_NE(journal, nullptr);
    EXPECT_EQ(journal->get("Type").asString(), "Meeting");
    EXPECT_EQ(journal->get("ContactNames").asString(), "Ann Lee");
    EXPECT_EQ(journal->get("Companies").asString(), "Acme");
    EXPECT_EQ(journal->get("Body").asString(), memo);
    EXPECT_EQ(attachmentsOf(journal),
              (std::vector<std::string>{"4:" + item->get("EntryID").asString()}))
        << "the journal links to the saved appointment";
}

TEST_F(FilingTest, AnAppointmentWithoutATimeIsAllDayAndOnlyTodaysLosesItsReminder) {
    setMemo("dentist");
    ASSERT_TRUE(note->FormKeyDown(Key::F2, kNoModifier));
    note->btnSaveClick();
    const DispatchPtr today = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(today, nullptr);
    EXPECT_TRUE(today->get("AllDayEvent").asBool());
    EXPECT_EQ(timeOf(today, "Start"), at(0));
    EXPECT_FALSE(today->get("ReminderSet").asBool());
    EXPECT_TRUE(itemsIn(outlook::olFolderJournal).empty()) << "no contact, no journal entry";

    // Another day keeps the reminder as it is: setting it would fail here.
    FakeJotPadView otherView;
    FakeShadowView otherShadow;
    auto other = TJotPad::Create(*context, otherView, otherShadow);
    other->memoBodyChange("dentist in 3 days");
    ASSERT_TRUE(other->FormKeyDown(Key::F2, kNoModifier));
    failing.failing() = {"ReminderSet"};
    other->btnSaveClick();
    EXPECT_TRUE(otherView.closed);
    EXPECT_EQ(itemsIn(outlook::olFolderCalendar).size(), 2u);
}

TEST_F(FilingTest, AnEndBeforeTheStartEndsTheDayAtElevenFiftyNine) {
    setMemo("shift tomorrow");
    note->Shadow().comboStartChange("9:00am");
    note->Shadow().comboEndChange("8:00am");
    note->btnSaveClick();
    const DispatchPtr item = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(timeOf(item, "Start"), at(1, 9));
    EXPECT_EQ(timeOf(item, "End"), at(1, 23, 59));
}

TEST_F(FilingTest, ATaskTakesItsContactDueDateAndTotalWork) {
    setMemo("call bob smith tomorrow about the budget");
    note->Shadow().comboStartChange("11:30pm");
    ASSERT_EQ(shadowView.end, "12:30am");
    ASSERT_TRUE(note->FormKeyDown(Key::F4, kNoModifier));
    note->btnSaveClick();
    ASSERT_TRUE(view.closed);

    const DispatchPtr task = onlyItemIn(outlook::olFolderTasks);
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->get("Subject").asString(), memo);
    EXPECT_EQ(timeOf(task, "DueDate"), at(1));
    EXPECT_EQ(task->get("TotalWork").asInt(), 60) << "11:30pm to 12:30am is one hour";
    EXPECT_EQ(task->get("Contacts").asString(), "Bob Smith");
    EXPECT_EQ(task->get("Companies").asString(), "");
    EXPECT_EQ(attachmentsOf(task), (std::vector<std::string>{"4:" + bob}));
    const DispatchPtr journal = onlyItemIn(outlook::olFolderJournal);
    ASSERT_NE(journal, nullptr);
    EXPECT_EQ(journal->get("Type").asString(), "Task");
}

TEST_F(FilingTest, ATaskRequestGoesToItsToRecipientsAndACopyMailToTheCcOnes) {
    setMemo("prepare the budget\nwith last year's figures");
    pickRecipients({{"Ann Lee", mapi::MAPI_TO}, {"Bob Smith", mapi::MAPI_CC}});
    ASSERT_EQ(view.type, ItemType::TaskRequest);
    note->btnSaveClick();
    ASSERT_TRUE(view.closed);

    const DispatchPtr task = onlyItemIn(outlook::olFolderTasks);
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->get("Subject").asString(), "prepare the budget") << "the first line only";
    EXPECT_EQ(recipientsOf(task), (std::vector<std::string>{"Ann Lee (E-mail):1"}));
    const std::vector<DispatchPtr> sent = itemsIn(outlook::olFolderOutbox);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0]->get("MessageClass").asString(), "IPM.TaskRequest");
    EXPECT_EQ(sent[1]->get("MessageClass").asString(), "IPM.Note");
    EXPECT_EQ(recipientsOf(sent[1]), (std::vector<std::string>{"Bob Smith (E-mail):2"}));
    EXPECT_EQ(attachmentsOf(sent[1]).size(), 1u);
    EXPECT_EQ(attachmentsOf(sent[1])[0].substr(0, 2), "5:") << "the task goes along as a copy";
}

TEST_F(FilingTest, ANoteKeepsItsPlaceAndTakesNoContact) {
    setMemo("remember ann lee's birthday business");
    ASSERT_TRUE(note->FormKeyDown(Key::F3, kNoModifier));
    ASSERT_EQ(shadowView.selected, ann);
    view.frameRect = {30, 40, 250, 200};
    note->btnSaveClick();
    const DispatchPtr item = onlyItemIn(outlook::olFolderNotes);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->get("Body").asString(), memo);
    EXPECT_EQ(item->get("Categories").asString(), "Business");
    EXPECT_EQ(item->get("Left").asInt(), 30);
    EXPECT_EQ(item->get("Top").asInt(), 40);
    EXPECT_EQ(item->get("Width").asInt(), 250);
    EXPECT_EQ(item->get("Height").asInt(), 200);
    EXPECT_TRUE(attachmentsOf(item).empty());
    EXPECT_TRUE(itemsIn(outlook::olFolderJournal).empty());
}

TEST_F(FilingTest, AMailGoesWithoutCategoriesAndWithItsFilesAndContactAsCopies) {
    const std::string file = existingFile("figures.txt");
    files.answers = {file};
    note->imgAttachClick();
    setMemo("fyi ann lee the budget is done business");
    ASSERT_EQ(view.type, ItemType::MailMessage);
    note->Shadow().comboContactChange(bob);
    note->btnSaveClick();
    ASSERT_TRUE(view.closed);
    const DispatchPtr mail = onlyItemIn(outlook::olFolderOutbox);
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(recipientsOf(mail), (std::vector<std::string>{"Ann Lee (E-mail):1"}));
    EXPECT_EQ(mail->get("Categories").asString(), "");
    const std::vector<std::string> attached = attachmentsOf(mail);
    ASSERT_EQ(attached.size(), 2u);
    EXPECT_EQ(attached[0].substr(0, 2), "5:") << "the contact, as a copy";
    EXPECT_EQ(attached[1], "1:" + file) << "the file, sent along";
    EXPECT_TRUE(itemsIn(outlook::olFolderJournal).empty()) << "mail makes no journal entry";
}

TEST_F(FilingTest, AMeetingRequestSendsToBothWellsAndAttachesFilesByValue) {
    const std::string file = existingFile("agenda.txt");
    files.answers = {file};
    note->imgAttachClick();
    setMemo("budget review tomorrow at 10am");
    pickRecipients({{"Ann Lee", mapi::MAPI_TO}, {"Bob Smith", mapi::MAPI_CC}});
    ASSERT_EQ(view.type, ItemType::MeetingRequest);
    note->btnSaveClick();
    ASSERT_TRUE(view.closed);
    const DispatchPtr meeting = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(meeting, nullptr);
    EXPECT_EQ(meeting->get("MeetingStatus").asInt(), outlook::olMeeting);
    EXPECT_EQ(recipientsOf(meeting),
              (std::vector<std::string>{"Ann Lee (E-mail):1", "Bob Smith (E-mail):2"}));
    EXPECT_EQ(attachmentsOf(meeting), (std::vector<std::string>{"1:" + file}));
    EXPECT_EQ(itemsIn(outlook::olFolderOutbox).size(), 1u);
}

// Every item hands out one recording RecurrencePattern, so that what a repeating note files
// into it can be read back whatever the store behind offers.
class RepeatFilingTest : public FilingTest {
protected:
    void SetUp() override {
        FilingTest::SetUp();
        failing.answers()["GetRecurrencePattern"] = pattern;
    }
    local_days shownDay() const {
        const auto shown = platform::parseShortDate(dateFormat, shadowView.date);
        EXPECT_TRUE(shown) << shadowView.date;
        return local_days(shown.value_or(year_month_day{}));
    }
    local_days patternDay(const char* property) {
        return floor<days>(outlook::LocalFromOleDate(pattern->properties[property].asDate()));
    }
    std::int32_t patternInt(const char* property) { return pattern->properties[property].asInt(); }

    std::shared_ptr<outlook::testing::RecordingDispatch> pattern =
        std::make_shared<outlook::testing::RecordingDispatch>();
};

TEST_F(RepeatFilingTest, ARepeatingAppointmentStartsOnItsFirstDayAndLogsOneJournalEntry) {
    setMemo("every other tuesday lunch with ann lee at noon");
    ASSERT_EQ(view.type, ItemType::Appointment);
    const local_days first = shownDay();
    note->btnSaveClick();
    ASSERT_TRUE(view.closed);

    const DispatchPtr item = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(timeOf(item, "Start"), first + 12h);
    EXPECT_EQ(timeOf(item, "End"), first + 13h);
    EXPECT_EQ(patternInt("RecurrenceType"), outlook::olRecursWeekly);
    EXPECT_EQ(patternInt("Interval"), 2);
    EXPECT_EQ(patternInt("DayOfWeekMask"), outlook::olTuesday);
    EXPECT_EQ(patternDay("PatternStartDate"), first);
    EXPECT_EQ(patternInt("Duration"), 60);
    EXPECT_EQ(pattern->properties["NoEndDate"], outlook::Variant(true));
    EXPECT_EQ(itemsIn(outlook::olFolderJournal).size(), 1u) << "one entry, for the first day";
}

TEST_F(RepeatFilingTest, ARepeatingTaskIsDueOnItsFirstDay) {
    setMemo("pay the rent on the 15th of every month");
    ASSERT_EQ(view.type, ItemType::Task);
    const local_days first = shownDay();
    EXPECT_EQ(unsigned(year_month_day(first).day()), 15u);
    note->btnSaveClick();
    ASSERT_TRUE(view.closed);

    const DispatchPtr task = onlyItemIn(outlook::olFolderTasks);
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(timeOf(task, "DueDate"), local_seconds(first));
    EXPECT_EQ(patternInt("RecurrenceType"), outlook::olRecursMonthly);
    EXPECT_EQ(patternInt("DayOfMonth"), 15);
    EXPECT_EQ(patternDay("PatternStartDate"), first);
}

TEST_F(RepeatFilingTest, NotesMailAndADroppedRepeatAreFiledOnce) {
    setMemo("note every friday water the plants");
    note->btnSaveClick();
    EXPECT_EQ(itemsIn(outlook::olFolderNotes).size(), 1u);

    FakeJotPadView mailView;
    FakeShadowView mailShadow;
    auto mail = TJotPad::Create(*context, mailView, mailShadow);
    mail->memoBodyChange("fyi ann lee every friday the plants need water");
    ASSERT_EQ(mailView.type, ItemType::MailMessage);
    mail->btnSaveClick();
    EXPECT_TRUE(mailView.closed);

    FakeJotPadView onceView;
    FakeShadowView onceShadow;
    auto once = TJotPad::Create(*context, onceView, onceShadow);
    once->memoBodyChange("every friday team lunch at noon");
    once->Shadow().btnDropRepeatClick();
    const auto shown = platform::parseShortDate(dateFormat, onceShadow.date);
    ASSERT_TRUE(shown);
    once->btnSaveClick();
    EXPECT_TRUE(onceView.closed);
    const DispatchPtr lunch = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(lunch, nullptr);
    EXPECT_EQ(timeOf(lunch, "Start"), local_days(*shown) + 12h) << "on the day shown";

    EXPECT_TRUE(pattern->log.empty()) << "no pattern was asked for";
}

TEST_F(RepeatFilingTest, ARepeatThatCannotBeFiledIsToldAndFilesNothing) {
    setMemo("every friday team lunch at noon");
    failing.failing() = {"GetRecurrencePattern"};
    EXPECT_CALL(boxes, show(_, HasSubstr("Outlook refused 'GetRecurrencePattern'"), _, _));
    note->btnSaveClick();
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(itemsIn(outlook::olFolderCalendar).empty());
}

TEST_F(FilingTest, AnEmptyNoteIsFiledOnlyWhenTheUserSaysSo) {
    EXPECT_CALL(boxes, show(_, "Do you want to save this empty action note?",
                            platform::MessageIcon::Warning, platform::MessageButtons::YesNoCancel))
        .WillOnce(Return(platform::MessageAnswer::Cancel))
        .WillOnce(Return(platform::MessageAnswer::Yes))
        .WillOnce(Return(platform::MessageAnswer::No));
    setMemo("  ");
    note->btnSaveClick();
    EXPECT_FALSE(view.closed);
    EXPECT_GT(view.memoFocused, 0);
    note->btnSaveClick();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(itemsIn(outlook::olFolderTasks).size(), 1u);
    view.closed = false;
    note->btnSaveClick();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(itemsIn(outlook::olFolderTasks).size(), 1u) << "No closes without filing";
}

TEST_F(FilingTest, InvalidShadowFieldsStopTheSaveAtTheFirstWithItsField) {
    setMemo("lunch");
    const auto refused = [&](const char* text, const char* field) {
        EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook", text,
                                platform::MessageIcon::Warning, platform::MessageButtons::Ok));
        note->btnSaveClick();
        ::testing::Mock::VerifyAndClearExpectations(&boxes);
        EXPECT_EQ(shadowView.focused, field);
        EXPECT_FALSE(view.closed);
    };
    note->Shadow().comboStartChange("nine");
    refused("Please enter a valid Start time.", "start");
    note->Shadow().comboStartChange("");
    note->Shadow().comboEndChange("2pm");
    refused("Please enter a valid Start time.", "start");
    note->Shadow().comboStartChange("1pm");
    note->Shadow().comboEndChange("late");
    refused("Please enter a valid End time.", "end");
    note->Shadow().comboEndChange("2pm");
    note->Shadow().csDateChange("13/45/2026");
    refused("Please enter a valid Date.", "date");
    EXPECT_TRUE(itemsIn(outlook::olFolderCalendar).empty());
    EXPECT_TRUE(itemsIn(outlook::olFolderTasks).empty());
}

TEST_F(FilingTest, AFailureBeforeTheItemIsSavedKeepsTheNoteOpenAndARetryFilesOnce) {
    setMemo("lunch with ann lee tomorrow at noon");
    for (const char* step :
         {"Categories", "AllDayEvent", "Start", "End", "Body", "Subject", "Save"}) {
        failing.failing() = {step};
        EXPECT_CALL(boxes, show(_, HasSubstr("Outlook refused '" + std::string(step) + "'"),
                                platform::MessageIcon::Stop, platform::MessageButtons::Ok));
        note->btnSaveClick();
        ::testing::Mock::VerifyAndClearExpectations(&boxes);
        EXPECT_FALSE(view.closed) << step;
        EXPECT_FALSE(view.busy) << step;
    }
    EXPECT_TRUE(itemsIn(outlook::olFolderCalendar).empty());
    EXPECT_TRUE(itemsIn(outlook::olFolderJournal).empty()) << "no journal entry for no item";

    failing.failing().clear();
    note->btnSaveClick();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(itemsIn(outlook::olFolderCalendar).size(), 1u);
    EXPECT_EQ(itemsIn(outlook::olFolderJournal).size(), 1u);
}

TEST_F(FilingTest, EveryStepOfEveryTypeThatFailsIsToldAndFilesNothing) {
    struct Case {
        const char* memo;
        std::vector<std::string> steps;
        outlook::OlDefaultFolders folder;
        Key key;  // the type, forced
    };
    const std::vector<Case> cases = {
        {"jot this down business",
         {"Body", "Categories", "Left", "Height", "Save"},
         outlook::olFolderNotes,
         Key::F3},
        {"call bob smith tomorrow from 9am to 10am",
         {"Categories", "Body", "Subject", "Contacts", "Companies", "DueDate", "TotalWork", "Save"},
         outlook::olFolderTasks,
         Key::F4},
        {"please ann lee send the figures",
         {"Recipients", "Assign", "Send"},
         outlook::olFolderOutbox,
         Key::Other},
        {"fyi ann lee the figures are in",
         {"Recipients", "Body", "Subject", "Send"},
         outlook::olFolderOutbox,
         Key::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.memo);
        FakeJotPadView noteView;
        FakeShadowView noteShadow;
        auto pad = TJotPad::Create(*context, noteView, noteShadow);
        const std::size_t before = itemsIn(c.folder).size();
        pad->memoBodyChange(c.memo);
        if (c.key != Key::Other) pad->FormKeyDown(c.key, kNoModifier);
        for (const std::string& step : c.steps) {
            failing.failing() = {step};
            EXPECT_CALL(boxes, show(_, HasSubstr("Outlook refused '" + step + "'"),
                                    platform::MessageIcon::Stop, platform::MessageButtons::Ok));
            pad->btnSaveClick();
            ::testing::Mock::VerifyAndClearExpectations(&boxes);
            EXPECT_FALSE(noteView.closed) << step;
        }
        EXPECT_EQ(itemsIn(c.folder).size(), before);
        failing.failing().clear();
        pad->btnSaveClick();
        EXPECT_TRUE(noteView.closed);
        EXPECT_EQ(itemsIn(c.folder).size(), before + 1);
    }
}

TEST_F(FilingTest, AFailureAfterTheTaskWasSentIsToldAndTheNoteCloses) {
    setMemo("prepare the budget");
    pickRecipients({{"Ann Lee", mapi::MAPI_TO}, {"Bob Smith", mapi::MAPI_CC}});
    failing.failing() = {"Attachments"};  // only the copy mail attaches anything
    EXPECT_CALL(boxes, show(_, StartsWith("Unable to add an attachment to an Outlook object."),
                            platform::MessageIcon::Stop, _));
    note->btnSaveClick();
    EXPECT_TRUE(view.closed) << "a second Save would send the task again";
    EXPECT_EQ(itemsIn(outlook::olFolderTasks).size(), 1u);
}

TEST_F(FilingTest, DecliningToFileWithoutLinksKeepsTheNoteOpenSilently) {
    setMemo("lunch with ann lee tomorrow at noon");
    failing.failing() = {"Attachments"};
    EXPECT_CALL(boxes, show(_, StartsWith("The attempt to add a Contact link"),
                            platform::MessageIcon::Stop, platform::MessageButtons::YesNo))
        .WillOnce(Return(platform::MessageAnswer::No))
        .WillOnce(Return(platform::MessageAnswer::Yes));
    note->btnSaveClick();
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(itemsIn(outlook::olFolderCalendar).empty());
    note->btnSaveClick();
    EXPECT_TRUE(view.closed);
    const DispatchPtr item = onlyItemIn(outlook::olFolderCalendar);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(attachmentsOf(item).empty());

    // The same question for files, on another note.
    FakeJotPadView otherView;
    FakeShadowView otherShadow;
    auto other = TJotPad::Create(*context, otherView, otherShadow);
    failing.failing().clear();
    files.answers = {existingFile("plan.txt")};
    other->imgAttachClick();
    other->memoBodyChange("plan the trip");
    failing.failing() = {"Attachments"};
    EXPECT_CALL(boxes, show(_, StartsWith("The attempt to add a file link"),
                            platform::MessageIcon::Stop, platform::MessageButtons::YesNo))
        .WillOnce(Return(platform::MessageAnswer::No));
    other->btnSaveClick();
    EXPECT_FALSE(otherView.closed);
    EXPECT_TRUE(itemsIn(outlook::olFolderTasks).empty());
}

TEST_F(FilingTest, AStoreThatRefusesTheSaveIsToldAndTheNoteStaysOpenWithItsText) {
    setMemo("lunch with ann lee tomorrow at noon");
    const auto refused = [&](const std::string& why) {
        EXPECT_CALL(boxes, show(_,
                                AllOf(StartsWith("An error occurred while attempting to save "
                                                 "changes to an Outlook object\n"),
                                      HasSubstr(why)),
                                platform::MessageIcon::Stop, platform::MessageButtons::Ok));
        note->btnSaveClick();
        ::testing::Mock::VerifyAndClearExpectations(&boxes);
        EXPECT_FALSE(view.closed) << why;
        EXPECT_EQ(note->MemoText(), memo);
        EXPECT_TRUE(itemsIn(outlook::olFolderCalendar).empty()) << why;
        EXPECT_TRUE(itemsIn(outlook::olFolderJournal).empty()) << why;
    };
    outlook::local::Store& store = *outlook->store();
    store.setWriteTimeout(200ms);
    {
        jotwise::testing::OtherWriter other(database());
        ASSERT_TRUE(other.locked());
        refused("is being changed by another program");
    }
    {
        // A note long enough to need pages of its own.
        jotwise::testing::FullDisk full(store.db());
        setMemo(memo + "\n" + std::string(20'000, 'x'));
        refused("is full (database or disk is full)");
    }

    note->btnSaveClick();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(itemsIn(outlook::olFolderCalendar).size(), 1u);
    EXPECT_EQ(itemsIn(outlook::olFolderJournal).size(), 1u);
}

TEST_F(FilingTest, ANoteStopsAtItsFirstRefusedStep) {
    setMemo("jot this down business");
    ASSERT_TRUE(note->FormKeyDown(Key::F3, kNoModifier));
    failing.failing() = {"Body", "Categories"};
    EXPECT_CALL(boxes, show(_,
                            AllOf(StartsWith("Unable to set the 'body' property"),
                                  HasSubstr("Outlook refused 'Body'")),
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    note->btnSaveClick();
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(itemsIn(outlook::olFolderNotes).empty());
}

TEST_F(FilingTest, AFileThatCannotBeCopiedIsRefusedWithItsReason) {
    // A file that is there but cannot be read: reading /proc/self/mem at its start fails.
    files.answers = {"/proc/self/mem"};
    note->imgAttachClick();
    setMemo("fyi ann lee the figures");
    ASSERT_EQ(view.type, ItemType::MailMessage);
    ASSERT_EQ(note->Attachments().size(), 1u);
    EXPECT_CALL(boxes, show(_,
                            AllOf(StartsWith("Unable to add an attachment to an Outlook object."),
                                  HasSubstr("/proc/self/mem")),
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    note->btnSaveClick();
    ::testing::Mock::VerifyAndClearExpectations(&boxes);
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(itemsIn(outlook::olFolderOutbox).empty()) << "nothing sent with 0 bytes";

    // A file larger than the limit is refused when it would be copied.
    FakeJotPadView otherView;
    FakeShadowView otherShadow;
    auto other = TJotPad::Create(*context, otherView, otherShadow);
    const std::string big = existingFile("big.bin");
    std::filesystem::resize_file(big, 3 * 1024 * 1024);
    settings.attachmentLimit = 2 * 1024 * 1024;
    files.answers = {big};
    other->imgAttachClick();
    other->memoBodyChange("fyi ann lee the recording");
    EXPECT_CALL(boxes, show(_, HasSubstr("is 3.0 MB, larger than the 2.0 MB"),
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    other->btnSaveClick();
    ::testing::Mock::VerifyAndClearExpectations(&boxes);
    EXPECT_FALSE(otherView.closed);
    EXPECT_TRUE(itemsIn(outlook::olFolderOutbox).empty());
    settings.attachmentLimit = 4 * 1024 * 1024;
    other->btnSaveClick();
    EXPECT_TRUE(otherView.closed);
    const DispatchPtr mail = onlyItemIn(outlook::olFolderOutbox);
    ASSERT_NE(mail, nullptr);
    const DispatchPtr attached = mail->get("Attachments").asObject()->call("Item", {1}).asObject();
    EXPECT_EQ(attached->get("Size").asInt(), 3 * 1024 * 1024);
}

TEST_F(FilingTest, AFileThatCannotBeReadIsNotAttached) {
    files.answers = {(folder.path() / "gone.txt").string()};
    EXPECT_CALL(boxes, show(_,
                            AllOf(StartsWith("Unable to add an attachment to an Outlook object."),
                                  HasSubstr("there is no file '")),
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    note->imgAttachClick();
    EXPECT_TRUE(note->Attachments().empty());
}

}  // namespace
}  // namespace notes::testing
