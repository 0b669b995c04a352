// What the note and its shadow show while the user types, and what the user's own choices
// keep through later keystrokes.
#include <fstream>

#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/store.h"
#include "tests/support/address_entries.h"
#include "tests/support/note_fixture.h"

namespace notes::testing {
namespace {

using ::testing::_;
using ::testing::Return;

TEST_F(NoteTest, ANewNoteShowsATaskInFull) {
    EXPECT_EQ(view.typeDrawn, 1) << "drawn although the type was already Task";
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_EQ(view.windowCaption, "Task - Jotwise");
    EXPECT_EQ(view.saveCaption, "&Save");
    EXPECT_EQ(view.saveHint, "Save task");
    EXPECT_TRUE(view.attachEnabled);
    EXPECT_FALSE(view.mailingVisible);
    EXPECT_EQ(view.shadowMenuCaption, "Move Shadow Behind");
    EXPECT_FALSE(shadowView.behindButtons);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"categories changed"}));
    EXPECT_EQ(shadowView.categories, (std::vector<std::string>{"Business", "Personal", "Work"}));
    ASSERT_EQ(shadowView.contacts.size(), 2u);
    EXPECT_EQ(shadowView.contacts[0], (ContactChoice{"Lee, Ann", ann}));
    EXPECT_FALSE(shadowView.dateTimeOn || shadowView.contactOn || shadowView.categoryOn);
}

TEST_F(NoteTest, ASentenceTypedWordByWordFillsTheShadow) {
    type("lunch with");
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_EQ(shadowView.start, "");
    type(" ann lee");
    EXPECT_EQ(shadowView.selected, ann);
    EXPECT_TRUE(shadowView.contactOn);
    type(" tomorrow");
    EXPECT_EQ(shadowView.date, dateIn(1));
    EXPECT_TRUE(shadowView.dateTimeOn);
    EXPECT_EQ(view.type, ItemType::Task) << "a date alone makes no appointment";
    type(" at noon");
    EXPECT_EQ(view.type, ItemType::Appointment);
    EXPECT_EQ(view.windowCaption, "Appointment - Jotwise");
    EXPECT_EQ(shadowView.start, "12:00pm");
    EXPECT_EQ(shadowView.end, "1:00pm");
    type(" business");
    EXPECT_EQ(shadowView.category, "Business");
    EXPECT_TRUE(shadowView.categoryOn);
}

TEST_F(NoteTest, TimesDatesAndRecurrences) {
    setMemo("");
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_EQ(shadowView.date, "");

    setMemo("call the bank at 3pm");
    EXPECT_EQ(view.type, ItemType::Appointment);
    EXPECT_EQ(shadowView.date, dateIn(0)) << "an appointment without a date is today's";
    EXPECT_EQ(shadowView.end, "4:00pm");

    setMemo("party at 11:30pm");
    EXPECT_EQ(shadowView.end, "12:30am") << "the hour wraps past midnight";

    setMemo("meeting from 9am to 11am");
    EXPECT_EQ(shadowView.start, "9:00am");
    EXPECT_EQ(shadowView.end, "11:00am");

    setMemo("every other tuesday call the bank at 9am");
    EXPECT_EQ(shadowView.date, nextWeekday(std::chrono::Tuesday)) << "a repeat shows its first day";
    EXPECT_EQ(shadowView.repeat, "every 2 weeks on Tuesday");
    setMemo("every other tuesday call the bank");
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_EQ(shadowView.repeat, "every 2 weeks on Tuesday") << "a task repeats too";
}

// The parser starts "the first monday of every month" in this month, even when that Monday
// has passed; the note shows the first one still to come.
TEST_F(NoteTest, ARepeatShowsItsFirstOccurrenceFromToday) {
    using namespace std::chrono;
    setMemo("first monday of every month review the budget at 10am");
    EXPECT_EQ(shadowView.repeat, "monthly on the first Monday");
    const auto shown = platform::parseShortDate(dateFormat, shadowView.date);
    ASSERT_TRUE(shown) << shadowView.date;
    const sys_days first{*shown};
    EXPECT_GE(first, sys_days{clock.today()});
    EXPECT_LT(first, sys_days{clock.today()} + days(36));
    EXPECT_EQ(weekday(first), Monday);
    EXPECT_LE(unsigned(shown->day()), 7u);
    EXPECT_EQ(shadowView.start, "10:00am");
}

TEST_F(NoteTest, OnlyAppointmentsAndTasksShowARepeat) {
    setMemo("note every friday water the plants");
    EXPECT_EQ(view.type, ItemType::Note);
    EXPECT_EQ(shadowView.repeat, "");
    EXPECT_EQ(note->Shadow().Repeat(), std::nullopt);
    ASSERT_TRUE(note->FormKeyDown(Key::F2, kNoModifier));
    EXPECT_EQ(shadowView.repeat, "every week on Friday");
    EXPECT_EQ(note->Shadow().Repeat()->patternStartDate,
              std::chrono::local_days(*platform::parseShortDate(dateFormat, shadowView.date)));
}

// Dropped, the repeat stays away while the user types on, and comes back when the sentence
// says another one.
TEST_F(NoteTest, ADroppedRepeatStaysDroppedUntilTheSentenceChangesIt) {
    setMemo("every friday team lunch at noon");
    const std::string firstFriday = shadowView.date;
    ASSERT_EQ(shadowView.repeat, "every week on Friday");
    note->Shadow().btnDropRepeatClick();
    EXPECT_EQ(shadowView.repeat, "");
    EXPECT_EQ(note->Shadow().Repeat(), std::nullopt);
    EXPECT_EQ(shadowView.date, firstFriday) << "filed once, on the day shown";

    type(" with the team");
    EXPECT_EQ(shadowView.repeat, "");
    setMemo("every thursday team lunch at noon");
    EXPECT_EQ(shadowView.repeat, "every week on Thursday");
}

// The user's date starts the repeat: the shadow keeps it as typed, the pattern begins on its
// first occurrence from there, and the user's times are the occurrences' times.
TEST_F(NoteTest, TheUsersDateAndTimesOverrideTheRepeatsStart) {
    using namespace std::chrono;
    setMemo("every month pay the rent");
    ASSERT_EQ(view.type, ItemType::Task);
    note->Shadow().csDateChange(dateIn(40));
    const auto& repeat = note->Shadow().Repeat();
    ASSERT_TRUE(repeat);
    const year_month_day start{sys_days{clock.today()} + days(40)};
    EXPECT_EQ(repeat->patternStartDate, local_days(start));
    EXPECT_EQ(repeat->dayOfMonth, static_cast<int>(unsigned(start.day())));
    EXPECT_EQ(shadowView.date, dateIn(40));

    note->Shadow().comboStartChange("7:00pm");
    EXPECT_EQ(note->Shadow().Repeat()->startTime, hours(19));
    EXPECT_EQ(note->Shadow().Repeat()->duration, 60);
}

TEST_F(NoteTest, TheFolderWordDecidesTheType) {
    setMemo("note buy milk at 5pm");
    EXPECT_EQ(view.type, ItemType::Note);
    EXPECT_FALSE(view.attachEnabled);
    EXPECT_EQ(view.saveHint, "Save note");
    setMemo("appointment dentist");
    EXPECT_EQ(view.type, ItemType::Appointment);
    setMemo("task dentist at 5pm");
    EXPECT_EQ(view.type, ItemType::Task) << "the word wins over the time";
}

TEST_F(NoteTest, AParsedRecipientMakesAMessage) {
    setMemo("please ann lee call the bank");
    EXPECT_EQ(view.type, ItemType::TaskRequest);
    EXPECT_TRUE(view.mailingVisible);
    EXPECT_EQ(view.toRole, "To:");
    EXPECT_EQ(view.ccRole, "");
    EXPECT_FALSE(view.ccLineVisible);
    EXPECT_EQ(view.toNames, "Ann Lee ");
    EXPECT_EQ(view.saveCaption, "&Send");
    EXPECT_EQ(view.frameRect.height, 182 + FakeJotPadView::kMailingHeight);

    setMemo("please ann lee lunch at noon");
    EXPECT_EQ(view.type, ItemType::MeetingRequest);
    EXPECT_EQ(view.toRole, "Required:");
    EXPECT_EQ(view.ccRole, "Optional:");
    EXPECT_TRUE(view.ccLineVisible);

    setMemo("fyi ann lee the budget is done");
    EXPECT_EQ(view.type, ItemType::MailMessage);
    EXPECT_EQ(view.ccRole, "Cc:");

    setMemo("the budget is done");
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_FALSE(view.mailingVisible);
    EXPECT_EQ(view.toNames, "");
    EXPECT_EQ(view.frameRect.height, 182) << "the panel's height is given back";
    EXPECT_FALSE(note->Recipients().HasRecipients());
}

TEST_F(NoteTest, TheUsersChoicesSurviveLaterKeystrokes) {
    type("lunch tomorrow at noon business");
    shadowView.start = "9";
    note->Shadow().comboStartChange("9");
    note->Shadow().comboStartExit();
    EXPECT_EQ(shadowView.start, "9:00am");
    EXPECT_EQ(shadowView.end, "10:00am") << "the end follows the user's start";

    note->Shadow().comboCategoryChange("Work");
    note->Shadow().comboContactDelete();
    note->Shadow().csDateChange(dateIn(5));
    type(" with ann lee at 3pm personal next week");
    EXPECT_EQ(shadowView.start, "9:00am");
    EXPECT_EQ(shadowView.category, "Work");
    EXPECT_EQ(shadowView.selected, "");
    EXPECT_EQ(shadowView.date, dateIn(5));

    // An end the user empties is the parse's again.
    note->Shadow().comboEndChange("2pm");
    type(" ");
    EXPECT_EQ(shadowView.end, "2pm");
    note->Shadow().comboEndChange("");
    type(" ");
    EXPECT_EQ(shadowView.end, "10:00am");

    // F3 forces Note; a meeting later in the text keeps it.
    EXPECT_TRUE(note->FormKeyDown(Key::F3, kNoModifier));
    type(" meeting tomorrow at three");
    EXPECT_EQ(view.type, ItemType::Note);
}

TEST_F(NoteTest, AStartTheUserEmptiedMakesNoAppointment) {
    setMemo("dentist at 4pm");
    ASSERT_EQ(view.type, ItemType::Appointment);
    note->Shadow().comboStartChange("");
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_EQ(shadowView.start, "");
}

TEST_F(NoteTest, AChosenBaseTypeStaysAndAChosenMessageTypeFollowsTheRecipients) {
    note->miTypeClick(static_cast<int>(ItemType::Note));
    setMemo("please ann lee call the bank");
    EXPECT_EQ(view.type, ItemType::Note) << "an exact choice ignores the recipients";

    // A message type chosen while there are recipients: it falls back without them.
    note->miTypeClick(static_cast<int>(ItemType::MailMessage));
    EXPECT_EQ(view.type, ItemType::MailMessage);
    setMemo("call the bank");
    EXPECT_EQ(view.type, ItemType::Note);
    setMemo("please bob smith call the bank");
    EXPECT_EQ(view.type, ItemType::MailMessage);
}

TEST_F(NoteTest, AMessageTypeWithoutRecipientsAsksForThemAndStaysWhenThereAreNone) {
    outlook->setAddressDialog(nullptr);  // no dialog: the address book cannot open
    EXPECT_CALL(boxes,
                show(_, ::testing::StartsWith("Unable to open the MAPI address book."), _, _));
    note->miTypeClick(static_cast<int>(ItemType::MeetingRequest));
    EXPECT_EQ(view.type, ItemType::Task);
    EXPECT_FALSE(note->typeChosen);
}

TEST_F(NoteTest, FunctionKeysChooseBaseTypesAndControlKeysRunCommands) {
    EXPECT_TRUE(note->FormKeyDown(Key::F2, kNoModifier));
    EXPECT_EQ(view.type, ItemType::Appointment);
    EXPECT_EQ(shadowView.date, dateIn(0));
    EXPECT_TRUE(note->FormKeyDown(Key::F4, kNoModifier));
    EXPECT_EQ(view.type, ItemType::Task);

    EXPECT_TRUE(note->FormKeyDown(Key::N, kCtrl));
    EXPECT_TRUE(note->FormKeyDown(Key::K, kCtrl));
    EXPECT_TRUE(note->FormKeyDown(Key::F1, kNoModifier));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"categories changed", "new note",
                                                    "new contact, checked", "help"}));
    EXPECT_FALSE(note->FormKeyDown(Key::N, kCtrl | kShift)) << "exactly Ctrl";
    EXPECT_FALSE(note->FormKeyDown(Key::S, kAlt));
    EXPECT_FALSE(note->FormKeyDown(Key::Other, kCtrl));

    EXPECT_TRUE(note->FormKeyDown(Key::W, kCtrl));
    EXPECT_TRUE(note->Shadow().Behind());
    EXPECT_EQ(view.shadowMenuCaption, "Move Shadow To Side");

    for (char c : {6, 11, 14, 18, 19, 23})
        EXPECT_TRUE(note->FormKeyPress(c)) << int(c);
    EXPECT_FALSE(note->FormKeyPress('s'));
    EXPECT_FALSE(note->FormKeyPress(1));
}

TEST_F(NoteTest, TheTitleBarsMenusOpenFromTheKeyboard) {
    EXPECT_TRUE(note->FormKeyDown(Key::T, kAlt));
    EXPECT_EQ(view.typeMenuShown, 1);
    EXPECT_TRUE(note->FormKeyDown(Key::J, kAlt));
    EXPECT_TRUE(note->FormKeyDown(Key::Menu, kNoModifier));
    EXPECT_EQ(view.logoMenuShown, 2);
    EXPECT_EQ(view.logoMenuPlace, MenuPlace::AtLogo);
    note->imgLogoMouseDown();
    EXPECT_EQ(view.logoMenuPlace, MenuPlace::AtMouse);

    // The letters stay the memo's, with Shift or without; Ctrl+T is not the type menu's.
    for (const unsigned modifiers :
         {unsigned{kNoModifier}, unsigned{kShift}, unsigned{kCtrl}, unsigned{kAlt | kShift}}) {
        EXPECT_FALSE(note->FormKeyDown(Key::T, modifiers)) << modifiers;
        EXPECT_FALSE(note->FormKeyDown(Key::J, modifiers)) << modifiers;
    }
    EXPECT_EQ(view.typeMenuShown, 1);
    EXPECT_EQ(view.logoMenuShown, 3);
}

TEST_F(NoteTest, AttachmentsShowUnlessTheTypeIsNote) {
    const std::string file = (folder.path() / "budget.ods").string();
    std::ofstream(file) << "x";
    files.answers = {file, (folder.path() / "missing.txt").string()};
    EXPECT_TRUE(note->FormKeyDown(Key::F, kCtrl));
    EXPECT_EQ(files.captions, (std::vector<std::string>{"Attach File"}));
    EXPECT_TRUE(shadowView.enabled) << "enabled again after the dialog";
    ASSERT_EQ(view.attachmentNames, (std::vector<std::string>{"budget.ods"}));
    EXPECT_TRUE(view.attachmentsVisible);
    EXPECT_TRUE(view.attachmentsAsLinks);
    EXPECT_EQ(note->Attachments()[0].path.substr(note->Attachments()[0].extOffset), "ods");
    EXPECT_EQ(view.frameRect.height, 182 + FakeJotPadView::kAttachmentsHeight);

    note->imgAttachClick();  // a file that is not there is not attached
    EXPECT_EQ(note->Attachments().size(), 1u);

    EXPECT_TRUE(note->FormKeyDown(Key::F3, kNoModifier));
    EXPECT_FALSE(view.attachmentsVisible);
    EXPECT_FALSE(view.attachEnabled);
    EXPECT_TRUE(note->FormKeyDown(Key::F4, kNoModifier));
    EXPECT_TRUE(view.attachmentsVisible);
    EXPECT_EQ(view.attachmentNames, (std::vector<std::string>{"budget.ods"}));

    note->lstAttachmentsKeyUp(Key::Delete, 3);  // no such row
    EXPECT_EQ(note->Attachments().size(), 1u);
    note->lstAttachmentsKeyUp(Key::Delete, 0);
    EXPECT_TRUE(note->Attachments().empty());
    EXPECT_FALSE(view.attachmentsVisible);
    EXPECT_EQ(view.frameRect.height, 182);
}

TEST_F(NoteTest, ClosingAsksOnlyAboutText) {
    setMemo("   \n ");
    EXPECT_CALL(boxes, show(_, _, _, _)).Times(0);
    note->btnCloseClick();
    EXPECT_TRUE(view.closed);
    ::testing::Mock::VerifyAndClearExpectations(&boxes);

    view.closed = false;
    setMemo("call the bank");
    EXPECT_CALL(boxes,
                show("Jotwise for Microsoft Outlook", "Would you like to save this action note?",
                     platform::MessageIcon::Warning, platform::MessageButtons::YesNoCancel))
        .WillOnce(Return(platform::MessageAnswer::Cancel))
        .WillOnce(Return(platform::MessageAnswer::No));
    note->miCancelClick();
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(note->FormKeyDown(Key::Escape, kNoModifier));
    EXPECT_TRUE(view.closed);

    view.closed = false;
    host.exiting = true;
    EXPECT_CALL(boxes, show(_, _, _, platform::MessageButtons::YesNo))
        .WillOnce(Return(platform::MessageAnswer::No));
    note->CloseWithPrompt();
    EXPECT_TRUE(view.closed);
}

TEST_F(NoteTest, ClosingStoresTheGeometryWithoutThePanels) {
    setMemo("please ann lee call the bank");
    view.frameRect = {40, 50, 300, 260 + FakeJotPadView::kMailingHeight};
    note->FormClose();
    EXPECT_EQ(settings.position, std::make_pair(40, 50));
    EXPECT_EQ(settings.size, std::make_pair(300, 260));
    EXPECT_EQ(host.calls.back(), "remove");
}

TEST_F(NoteTest, TheShadowSitsBesideOrBehindItsNote) {
    view.frameRect = {100, 100, 194, 182};
    note->FormMoved();
    EXPECT_EQ(shadowView.position, std::make_pair(100 + 194 + 2, 100));
    note->Shadow().btnBehindClick();
    EXPECT_EQ(shadowView.position, std::make_pair(294 - 146, 282 - 150));
    EXPECT_TRUE(shadowView.behindButtons);
    note->Shadow().FormActivate();
    EXPECT_EQ(view.lowered, 1);
    EXPECT_EQ(shadowView.focused, "date");
    note.reset();
    EXPECT_EQ(settings.beside, false) << "the next note's shadow starts behind";
}

TEST_F(NoteTest, ANewNoteIsPlacedInsideTheWorkArea) {
    note->PlaceNew(std::nullopt);
    EXPECT_EQ(view.frameRect, (Rect{(1280 - 194) / 2, (800 - 182) / 2, 194, 182}));

    settings.size = {100, 500};
    settings.position = {3000, 2000};  // a screen that is gone
    note->PlaceNew(std::nullopt);
    EXPECT_EQ(view.frameRect, (Rect{1280 - 194 - 192, 800 - 500, 194, 500}));

    note->PlaceNew(std::make_pair(200, 150));
    EXPECT_EQ(view.frameRect.left, 200);
    EXPECT_EQ(view.frameRect.top, 150);
    EXPECT_EQ(shadowView.position, std::make_pair(200 + 194 + 2, 150));
}

TEST_F(NoteTest, AtTheScreensRightEdgeTheShadowGoesLeftOfItsNote) {
    view.work = {0, 0, 1920, 1040};
    view.frameRect = {1710, 300, 194, 182};
    note->FormMoved();
    EXPECT_EQ(shadowView.position, std::make_pair(1710 - 2 - 190, 300));
    note->Shadow().btnBehindClick();
    EXPECT_EQ(shadowView.position, std::make_pair(1710 - (190 - 146), 482 - 150));
}

TEST_F(NoteTest, ARememberedPositionKeepsTheNoteWhollyOnTheScreenItLandsOn) {
    // Two screens side by side; the note was last put at the second one's bottom right corner.
    const Rect first{0, 0, 1920, 1040}, second{1920, 0, 1280, 984};
    view.screens = {first, second};
    view.work = first;
    settings.position = {3100, 900};
    note->PlaceNew(std::nullopt);
    EXPECT_EQ(view.frameRect, (Rect{3200 - 194 - 192, 984 - 182, 194, 182}));

    // Partly on the first screen but mostly on the second: the second holds it whole.
    settings.position = {1850, -30};
    note->PlaceNew(std::nullopt);
    EXPECT_EQ(view.frameRect, (Rect{1920, 0, 194, 182}));
}

TEST_F(NoteTest, TheShadowNamesTheWeekdayOfWhateverDateItHolds) {
    using namespace std::chrono;
    const auto dayAfter = [&](int n) { return weekday{sys_days{clock.today()} + days{n}}; };
    EXPECT_EQ(shadowView.weekday, std::nullopt);
    setMemo("lunch tomorrow");
    EXPECT_EQ(shadowView.weekday, dayAfter(1));
    setMemo("lunch");
    EXPECT_EQ(shadowView.date, "");
    EXPECT_EQ(shadowView.weekday, std::nullopt) << "no date, no weekday";

    // Typed in the date box, or picked from its calendar.
    note->Shadow().csDateChange(platform::formatShortDate(dateFormat, 2026y / December / 17));
    EXPECT_EQ(shadowView.weekday, Thursday);
    note->Shadow().csDateChange("soon");
    EXPECT_EQ(shadowView.weekday, std::nullopt);
    note->Shadow().csDateChange(platform::formatShortDate(dateFormat, 2026y / December / 19));
    EXPECT_EQ(shadowView.weekday, Saturday);
    note->Shadow().csDateChange("");
    EXPECT_EQ(shadowView.weekday, std::nullopt);
}

TEST_F(NoteTest, TheShadowListsContactsByNameWhateverTheirCaseAndTwinsByKey) {
    const std::string lowerAnn = addContact("ann", "lee");
    const std::string upperCy = addContact("Cy", "LEE");
    const std::string twin = addContact("Ann", "Lee", "Other Co");
    settle();
    note->Shadow().ContactChanged(std::nullopt, std::nullopt);  // the list is read anew
    const auto [first, second] = std::minmax(ann, twin);
    EXPECT_EQ(shadowView.contacts, (std::vector<ContactChoice>{{"Lee, Ann", first},
                                                               {"Lee, Ann", second},
                                                               {"lee, ann", lowerAnn},
                                                               {"LEE, Cy", upperCy},
                                                               {"Smith, Bob", bob}}));
}

TEST_F(NoteTest, ContactChangesReachTheShadowsList) {
    setMemo("call ann lee");
    ASSERT_EQ(shadowView.selected, ann);
    // Ann is deleted in the store; the program tells every note.
    outlook->store()->deleteItem(outlook->store()->parse(*mapi::FBinFromHex(ann))->row);
    settle();
    note->ContactChanged(std::nullopt, ann);
    EXPECT_EQ(shadowView.selected, "");
    EXPECT_EQ(shadowView.contacts, (std::vector<ContactChoice>{{"Smith, Bob", bob}}));

    // A contact the user picked and that is then renamed stays picked.
    note->Shadow().comboContactChange(bob);
    note->Shadow().ContactChanged(ContactChoice{"Smith, Robert", bob}, bob);
    EXPECT_EQ(shadowView.contacts, (std::vector<ContactChoice>{{"Smith, Robert", bob}}));
    EXPECT_EQ(shadowView.selected, bob);
    EXPECT_TRUE(note->Shadow().contactChosen);
}

TEST_F(NoteTest, AnAddressImportedFromTheShadowBecomesItsContact) {
    outlook::local::PropertyBag carol;
    carol.setString(mapi::PR_DISPLAY_NAME, "Carol Jones");
    carol.setString(mapi::PR_ADDRTYPE, "SMTP");
    carol.setString(mapi::PR_EMAIL_ADDRESS, "carol@example.com");
    carol.setString(mapi::PR_GIVEN_NAME, "Carol");
    carol.setString(mapi::PR_SURNAME, "Jones");
    outlook->store()->addressBook().addMailUser(carol);
    addressDialog.pick = "Carol Jones";
    note->Shadow().btnAddressClick();
    EXPECT_TRUE(view.enabled) << "the note is enabled again after the dialog";
    ASSERT_EQ(shadowView.contacts.size(), 3u);
    EXPECT_EQ(shadowView.contacts[0].fileAs, "Jones, Carol");
    EXPECT_EQ(shadowView.selected, shadowView.contacts[0].key);
    EXPECT_TRUE(shadowView.contactOn);
    EXPECT_TRUE(note->Shadow().contactChosen);
    type("lunch with ann lee");
    EXPECT_EQ(shadowView.selected, shadowView.contacts[0].key) << "the user's choice stays";
}

TEST_F(NoteTest, ANoteWhoseShadowCannotLoadTheCategoriesDoesNotOpen) {
    registry.createKey(platform::RegistryRoot::CurrentUser, outlook::testing::kCategoriesKey)
        ->setValue("", platform::RegistryValue::ofDword(7));
    FakeJotPadView otherView;
    FakeShadowView otherShadow;
    EXPECT_CALL(boxes, show(_,
                            ::testing::StartsWith("Unable to retrieve information required to "
                                                  "initialize action note shadow because:\n"
                                                  "Unable to retrieve category"),
                            platform::MessageIcon::Stop, _));
    EXPECT_EQ(TJotPad::Create(*context, otherView, otherShadow), nullptr);
    setMemo("the other one still works at noon");
    EXPECT_EQ(view.type, ItemType::Appointment);
}

TEST_F(NoteTest, SetItemTypeRefusesWhatIsNoType) {
    EXPECT_THROW(note->SetItemType(static_cast<ItemType>(6)), std::invalid_argument);
    EXPECT_EQ(view.type, ItemType::Task);
}

}  // namespace
}  // namespace notes::testing
