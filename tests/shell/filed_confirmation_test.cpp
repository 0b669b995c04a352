// The notification after a filing: what it says, and its Undo and Open, over a real store.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outlook/object_model.h"
#include "shell/filed_summary.h"
#include "tests/shell/hidden_fixture.h"

namespace shell::testing {
namespace {

using namespace std::chrono;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class FakeActionNotifier : public ActionNotifier {
public:
    bool ShowsActions() override { return actions; }
    unsigned Show(const ActionNotification& notification, Answered answered) override {
        shown.push_back({notification, std::move(answered)});
        return static_cast<unsigned>(shown.size());
    }
    void Close(unsigned) override {}

    std::vector<std::string> actionKeys(std::size_t i = 0) const {
        std::vector<std::string> keys;
        for (const auto& action : shown.at(i).first.actions)
            keys.push_back(action.key);
        return keys;
    }

    bool actions = true;
    std::vector<std::pair<ActionNotification, Answered>> shown;
};

class FiledConfirmationTest : public HiddenFixture {
protected:
    void SetUp() override {
        HiddenFixture::SetUp();
        makeHidden(nullptr, nullptr, &notifier);
    }
    FakeNoteWindows::Window& window(std::size_t i) {
        return *std::next(windows.windows.begin(), static_cast<std::ptrdiff_t>(i));
    }
    notes::TJotPad& openNote(const std::string& text) {
        EXPECT_TRUE(hidden->NewNote(text));
        return *window(windows.windows.size() - 1).pad;
    }
    std::int32_t countIn(outlook::OlDefaultFolders folder) {
        return folderItems(folder)->get("Count").asInt();
    }
    std::string tomorrow() const {
        return DayText(year_month_day(sys_days(clock.today()) + days(1)), clock.today());
    }

    FakeActionNotifier notifier;
};

TEST_F(FiledConfirmationTest, SavingSaysWhatWasFiledAndUndoGivesTheNoteBackAsTheUserLeftIt) {
    notes::TJotPad& note = openNote("lunch with ann lee tomorrow at noon");
    note.Shadow().comboCategoryChange("Work");
    note.Shadow().comboStartChange("12:30pm");
    note.Shadow().comboStartExit();
    note.btnSaveClick();

    ASSERT_EQ(notifier.shown.size(), 1u);
    const ActionNotification& shown = notifier.shown[0].first;
    EXPECT_EQ(shown.summary, "Appointment: " + tomorrow() +
                                 ", 12:30pm-1:30pm - lunch with ann lee tomorrow at noon");
    EXPECT_EQ(shown.category, "x-jotwise.filed");
    EXPECT_THAT(notifier.actionKeys(), ElementsAre("undo", "default"));
    // With Ann named, a journal entry records the filing.
    ASSERT_EQ(countIn(outlook::olFolderCalendar), 1);
    ASSERT_EQ(countIn(outlook::olFolderJournal), 1);
    const std::size_t notesBefore = hidden->openNotes().size();

    notifier.shown[0].second("undo");

    EXPECT_EQ(countIn(outlook::olFolderCalendar), 0);
    EXPECT_EQ(countIn(outlook::olFolderJournal), 0);
    EXPECT_EQ(countIn(outlook::olFolderDeletedItems), 2);
    ASSERT_EQ(hidden->openNotes().size(), notesBefore + 1);
    notes::TJotPad& again = *hidden->openNotes().back();
    EXPECT_EQ(again.MemoText(), "lunch with ann lee tomorrow at noon");
    EXPECT_EQ(again.itemType(), notes::ItemType::Appointment);
    EXPECT_EQ(again.Shadow().CategoryText(), "Work");
    EXPECT_EQ(again.Shadow().StartText(), "12:30pm");
    EXPECT_EQ(again.Shadow().SelectedContact(), ann);
    EXPECT_TRUE(again.Shadow().startEdited);

    // Saved again, it is filed as corrected.
    again.btnSaveClick();
    EXPECT_EQ(countIn(outlook::olFolderCalendar), 1);
    const outlook::DispatchPtr item =
        folderItems(outlook::olFolderCalendar)->call("Item", {1}).asObject();
    EXPECT_EQ(item->get("Categories").asString(), "Work");
}

TEST_F(FiledConfirmationTest, AMessageThatWentOutOffersOpenButNoUndo) {
    notes::TJotPad& note = openNote("please ann lee send the budget");
    ASSERT_EQ(note.itemType(), notes::ItemType::TaskRequest);
    note.btnSaveClick();

    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].first.summary, "Task request sent to Ann Lee");
    EXPECT_THAT(notifier.shown[0].first.body, HasSubstr("please ann lee send the budget"));
    EXPECT_THAT(notifier.actionKeys(), ElementsAre("default"));
}

TEST_F(FiledConfirmationTest, TheSettingTurnsItOffAndAServerWithoutActionsOnlyTells) {
    notifier.actions = false;
    openNote("call the bank").btnSaveClick();
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].first.summary, "Task: call the bank");
    EXPECT_THAT(notifier.actionKeys(), IsEmpty());

    auto key =
        registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Confirmation");
    ASSERT_TRUE(key);
    key->setValue("On", platform::RegistryValue::ofDword(0));
    openNote("call the dentist").btnSaveClick();
    EXPECT_EQ(notifier.shown.size(), 1u);
}

TEST_F(FiledConfirmationTest, UndoOfAnItemAlreadyGoneSaysSoAndOpensNoNote) {
    openNote("call the bank").btnSaveClick();
    ASSERT_EQ(notifier.shown.size(), 1u);
    folderItems(outlook::olFolderTasks)->call("Item", {1}).asObject()->call("Delete");
    folderItems(outlook::olFolderDeletedItems)->call("Item", {1}).asObject()->call("Delete");
    const std::size_t notesBefore = hidden->openNotes().size();

    EXPECT_CALL(boxes, show(_, HasSubstr("could not be taken back"), _, _));
    notifier.shown[0].second("undo");
    EXPECT_EQ(hidden->openNotes().size(), notesBefore);
}

// ---- The words ----

notes::FiledNote filedOn(notes::ItemType type, const std::string& text) {
    notes::FiledNote filed;
    filed.type = type;
    filed.text = text;
    return filed;
}

TEST(FiledText, SaysTheKindTheDayTheTimesTheRepeatAndTheRecipients) {
    const year_month_day today = 2026y / December / 7;
    notes::FiledNote lunch = filedOn(notes::ItemType::Appointment, "lunch with Ann Lee");
    lunch.date = 2026y / December / 8;
    lunch.start = 12.0 / 24;
    lunch.end = 13.0 / 24;
    EXPECT_EQ(DescribeFiled(lunch, today).summary,
              "Appointment: Tue 8 Dec, 12:00pm-1:00pm - lunch with Ann Lee");
    lunch.date = 2027y / January / 5;
    lunch.start = lunch.end = std::nullopt;
    EXPECT_EQ(DescribeFiled(lunch, today).summary,
              "Appointment: Tue 5 Jan 2027 - lunch with Ann Lee");

    notes::FiledNote bank = filedOn(notes::ItemType::Task, "every other tuesday call the bank");
    EXPECT_EQ(DescribeFiled(bank, today).summary, "Task: every other tuesday call the bank");
    bank.date = 2026y / December / 8;
    outlook::RecurrenceFields repeat;
    repeat.recurrenceType = outlook::olRecursWeekly;
    repeat.interval = 2;
    repeat.dayOfWeekMask = outlook::olTuesday;
    repeat.patternStartDate = local_days(2026y / December / 8);
    bank.repeat = repeat;
    EXPECT_EQ(DescribeFiled(bank, today).summary,
              "Task: due Tue 8 Dec, every 2 weeks on Tuesday - every other tuesday call the bank");

    notes::FiledNote request = filedOn(notes::ItemType::TaskRequest, "send the budget");
    request.sent = true;
    request.recipients = {"Bob Smith"};
    EXPECT_EQ(DescribeFiled(request, today).summary, "Task request sent to Bob Smith");
    EXPECT_EQ(DescribeFiled(request, today).body, "send the budget");
    request.type = notes::ItemType::MailMessage;
    request.recipients = {"Bob Smith", "Ann Lee"};
    EXPECT_EQ(DescribeFiled(request, today).summary, "Mail sent to Bob Smith and Ann Lee");
    request.recipients = {"A", "B", "C", "D", "E"};
    EXPECT_EQ(DescribeFiled(request, today).summary, "Mail sent to A, B and 3 others");
    request.type = notes::ItemType::MeetingRequest;
    request.recipients = {"A", "B", "C"};
    request.date = 2026y / December / 9;
    request.start = 9.5 / 24;
    EXPECT_EQ(DescribeFiled(request, today).summary, "Meeting request sent to A, B and C");
    EXPECT_EQ(DescribeFiled(request, today).body, "Wed 9 Dec, 9:30am - send the budget");

    EXPECT_EQ(DescribeFiled(filedOn(notes::ItemType::Note, "  door code 4711\nsecond line"), today)
                  .summary,
              "Note: door code 4711");
}

TEST(FiledText, ALongNoteIsShortenedAtAWordAndNeverInsideACharacter) {
    const year_month_day today = 2026y / December / 7;
    const std::string words(70, 'a');
    const std::string longNote = words + " bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb";
    EXPECT_EQ(DescribeFiled(filedOn(notes::ItemType::Note, longNote), today).summary,
              "Note: " + words + "…");
    // One long word of two-byte characters: cut between characters.
    std::string umlauts;
    for (int i = 0; i < 60; ++i)
        umlauts += "ä";
    const std::string summary =
        DescribeFiled(filedOn(notes::ItemType::Note, umlauts), today).summary;
    EXPECT_EQ(summary, "Note: " + umlauts.substr(0, 80) + "…");
}

}  // namespace
}  // namespace shell::testing
