#include "shell/hidden.h"

#include "shell/getting_started.h"
#include "shell/trayless_notice.h"
#include "tests/shell/hidden_fixture.h"

namespace shell {
namespace {

using ::testing::_;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::Return;

class FakeTraylessView : public TraylessNoticeView {
public:
    void showNotice(bool hotKey) override { shown.push_back(hotKey); }
    std::vector<bool> shown;  // with the hot key or without, each time
};

class FakeNotifier : public DesktopNotifier {
public:
    void notify(const std::string& summary, const std::string& body) override {
        notes.push_back(summary + ": " + body);
    }
    std::vector<std::string> notes;
};

class FakeGettingStartedView : public GettingStartedView {
public:
    void setAutostartChecked(bool) override {}
    void setDesktopCalendar(bool, bool) override {}
    void setTrayWording(bool trayIcon) override { trayWording.push_back(trayIcon); }
    void showAndActivate() override {}
    std::vector<bool> trayWording;  // each time it was told
};

class HiddenTest : public testing::HiddenFixture {
protected:
    void SetUp() override {
        HiddenFixture::SetUp();
        start();
    }
    // The program starting (again) on the same profile.
    void start() {
        hidden.reset();
        trayless = std::make_unique<TTraylessNotice>(
            TTraylessNotice::Services{settings, traylessView, notifier});
        gettingStarted = std::make_unique<TGettingStarted>(
            TGettingStarted::Services{settings, gettingStartedView, boxes,
                                      folder.path() / "autostart", folder.path() / "jotwise"});
        makeHidden(gettingStarted.get(), trayless.get());
    }
    testing::FakeNoteWindows::Window& window(std::size_t i) {
        return *std::next(windows.windows.begin(), static_cast<std::ptrdiff_t>(i));
    }

    FakeTraylessView traylessView;
    FakeNotifier notifier;
    std::unique_ptr<TTraylessNotice> trayless;
    FakeGettingStartedView gettingStartedView;
    std::unique_ptr<TGettingStarted> gettingStarted;
};

TEST_F(HiddenTest, StartingShowsTheTrayIconAndTakesTheHotKey) {
    hidden->FormShow();
    EXPECT_EQ(view.tip, "Jotwise for Microsoft Outlook");
    EXPECT_NE(hidden->hotKeyAtom, 0);
    EXPECT_EQ(hotKey.registered, hidden->hotKeyAtom);
    EXPECT_EQ(hotKey.key, 'N');
    hotKey.pressed();
    EXPECT_EQ(hidden->openNotes().size(), 1u) << "the hot key opens a note";
    EXPECT_EQ(console.str(),
              "Jotwise is running: press Ctrl+Alt+N for a note; its icon is in the system tray\n")
        << "one line, once, for whoever started the program from a terminal";
}

TEST_F(HiddenTest, AHotKeyTakenElsewhereIsToldAndTheProgramRunsOn) {
    hotKey.available = false;
    EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook",
                            "Unable to register a system-wide hot-key (CTRL+ALT+N) for Jotwise "
                            "for Microsoft Outlook. You may already be running a program which "
                            "uses the CTRL+ALT+N hot key.",
                            platform::MessageIcon::Information, platform::MessageButtons::Ok));
    hidden->FormShow();
    EXPECT_EQ(view.tip, "Jotwise for Microsoft Outlook");
    EXPECT_FALSE(view.quitted);
    EXPECT_EQ(console.str(),
              "Jotwise is running without Ctrl+Alt+N: its icon is in the system tray\n");
}

TEST_F(HiddenTest, AHotKeyTheDesktopRefusesLaterIsToldWithWhatToDoInstead) {
    hidden->FormShow();
    ASSERT_NE(hotKey.registered, 0);
    const std::string reason =
        "The key was not confirmed in the desktop's dialog. Bind the command \"jotwise note\" "
        "to a key in the desktop's keyboard settings instead.";
    EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook",
                            HasSubstr("Unable to register a system-wide hot-key (CTRL+ALT+N) for "
                                      "Jotwise for Microsoft Outlook. " +
                                      reason),
                            platform::MessageIcon::Information, platform::MessageButtons::Ok));
    hotKey.refuseLater(reason);
    EXPECT_FALSE(view.quitted);
    EXPECT_THAT(console.str(), HasSubstr("Jotwise is running without Ctrl+Alt+N"));

    // The hot key may outlive the program's window; a refusal then reaches nobody.
    hidden.reset();
    hotKey.refuseLater(reason);
}

TEST_F(HiddenTest, ATrayHostStartingLaterIsWaitedForUpToTenSeconds) {
    view.tray = false;
    hidden->FormShow();
    loop.advance(std::chrono::seconds(3));
    EXPECT_TRUE(view.tip.empty());
    EXPECT_EQ(console.str(), "") << "not running before the icon is shown";
    view.tray = true;
    loop.advance(std::chrono::milliseconds(300));
    EXPECT_EQ(view.tip, "Jotwise for Microsoft Outlook");
    EXPECT_FALSE(view.quitted);
    EXPECT_NE(console.str().find("Jotwise is running"), std::string::npos);
}

TEST_F(HiddenTest, WithoutATrayHostTheProgramRunsOnSaysWhatToDoAndTakesATrayThatComesLater) {
    view.tray = false;
    // Neither message 32 nor any other error: the hot key is there, nothing is wrong.
    EXPECT_CALL(boxes, show).Times(0);
    const std::size_t otherTimers = loop.timerCount();
    hidden->FormShow();
    loop.advance(std::chrono::seconds(9));
    EXPECT_TRUE(traylessView.shown.empty()) << "a tray host may still come";
    loop.advance(std::chrono::seconds(2));
    EXPECT_FALSE(view.quitted);
    EXPECT_EQ(traylessView.shown, std::vector<bool>{true}) << "told once, with the hot key";
    ASSERT_EQ(notifier.notes.size(), 1u);
    EXPECT_THAT(notifier.notes[0], HasSubstr("Ctrl+Alt+N"));
    EXPECT_THAT(notifier.notes[0], HasSubstr("\"jotwise note\""));
    EXPECT_THAT(notifier.notes[0], HasSubstr("\"jotwise quit\""));
    EXPECT_THAT(console.str(), HasSubstr("Jotwise is running: press Ctrl+Alt+N for a note; no "
                                         "system tray"));
    EXPECT_THAT(console.str(), Not(HasSubstr("its icon is in the system tray")));
    hotKey.pressed();
    EXPECT_EQ(hidden->openNotes().size(), 1u) << "the hot key opens notes without a tray";

    // A host that is there but refuses the icon does not end a running program.
    view.tray = true;
    view.refuse = true;
    loop.advance(std::chrono::minutes(1));
    EXPECT_FALSE(view.quitted);
    EXPECT_TRUE(view.tip.empty());

    view.refuse = false;
    loop.advance(std::chrono::seconds(3));
    EXPECT_EQ(view.tip, "Jotwise for Microsoft Outlook");
    EXPECT_EQ(traylessView.shown.size(), 1u);
    EXPECT_EQ(notifier.notes.size(), 1u);
    EXPECT_THAT(console.str(), HasSubstr("icon is in the system tray now"));
    EXPECT_EQ(loop.timerCount(), otherTimers) << "no more looking once the icon is there";
}

TEST_F(HiddenTest, WithoutTrayOrHotKeyTheNoticeOffersTheShortcutOnlyAndOncePerProfile) {
    view.tray = false;
    hotKey.available = false;
    EXPECT_CALL(boxes, show(_, HasSubstr("Unable to register a system-wide hot-key"),
                            platform::MessageIcon::Information, _));
    hidden->FormShow();
    loop.advance(std::chrono::seconds(11));
    ::testing::Mock::VerifyAndClearExpectations(&boxes);
    EXPECT_FALSE(view.quitted);
    EXPECT_EQ(traylessView.shown, std::vector<bool>{false});
    ASSERT_EQ(notifier.notes.size(), 1u);
    EXPECT_THAT(notifier.notes[0], Not(HasSubstr("Ctrl+Alt+N")));
    EXPECT_THAT(console.str(), HasSubstr("Jotwise is running without Ctrl+Alt+N; no system tray: "
                                         "bind `jotwise note` to a key"));

    // The next start on this profile still runs without a tray, and only its console says so.
    start();
    hidden->FormShow();
    loop.advance(std::chrono::seconds(11));
    EXPECT_FALSE(view.quitted);
    EXPECT_EQ(traylessView.shown.size(), 1u);
    EXPECT_EQ(notifier.notes.size(), 1u);
}

TEST_F(HiddenTest, GettingStartedSpeaksOfTheTrayIconOnlyWhileItIsShown) {
    hidden->FormShow();
    EXPECT_EQ(gettingStartedView.trayWording, std::vector<bool>{true});

    // Without a tray host: from the start of the wait on, until a tray host takes the icon.
    gettingStartedView.trayWording.clear();
    view.tray = false;
    start();
    hidden->FormShow();
    loop.advance(std::chrono::seconds(11));
    EXPECT_EQ(gettingStartedView.trayWording, std::vector<bool>{false});
    view.tray = true;
    loop.advance(std::chrono::seconds(3));
    EXPECT_EQ(gettingStartedView.trayWording, (std::vector<bool>{false, true}));
}

TEST_F(HiddenTest, ExitFromANotesMenuEndsATraylessProgramAndStopsLookingForATray) {
    view.tray = false;
    hidden->FormShow();
    loop.advance(std::chrono::seconds(11));
    hidden->NewNote();
    hidden->NewNote();
    window(1).pad->memoBodyChange("call the bank");
    EXPECT_CALL(boxes, show(_, "Would you like to save this action note?", _,
                            platform::MessageButtons::YesNo))
        .WillOnce(Return(platform::MessageAnswer::No));
    EXPECT_CALL(boxes, show(_, HasSubstr("Unable to create the Keywords file."), _, _));
    window(0).pad->miExitClick();
    EXPECT_TRUE(hidden->openNotes().empty());
    EXPECT_TRUE(view.quitted);
    EXPECT_EQ(view.exitCode, 0);
    EXPECT_EQ(hotKey.registered, 0);
    view.tray = true;
    loop.advance(std::chrono::seconds(5));
    EXPECT_TRUE(view.tip.empty()) << "no icon comes back while the program ends";
}

TEST_F(HiddenTest, NotesCascadeFromTheLastOpenOne) {
    hidden->TrayDoubleClick();
    EXPECT_TRUE(hidden->openNotes().empty()) << "posted, not opened at once";
    loop.runPending();
    hidden->miNewJotPadClick();
    hidden->miNewJotPadClick();
    loop.runPending();
    ASSERT_EQ(hidden->openNotes().size(), 3u);
    const notes::Rect second = window(1).view.frameRect, third = window(2).view.frameRect;
    EXPECT_EQ(third.left, second.left + 34);
    EXPECT_EQ(third.top, second.top + 34);
    EXPECT_GT(window(2).view.activated, 0);
}

TEST_F(HiddenTest, AModalWindowTurnsAwayNotesAndOtherModalWindows) {
    about.whileShown = [&] {
        hotKey.pressed ? hotKey.pressed() : hidden->NewNote();
        hidden->sClick();
        hidden->miKeywordsClick();
        hidden->miExitClick();
    };
    hidden->sClick();
    EXPECT_EQ(about.shown, 1);
    EXPECT_EQ(keywords.shown, 0);
    EXPECT_TRUE(hidden->openNotes().empty());
    EXPECT_EQ(view.beeps, 4);
    EXPECT_EQ(about.raised, 4);
    EXPECT_FALSE(view.quitted);
    EXPECT_EQ(hidden->modalWindow, nullptr) << "the guard ends with the window";
    hidden->miKeywordsClick();
    EXPECT_EQ(keywords.shown, 1);
}

TEST_F(HiddenTest, ExitClosesEveryNoteAskingYesOrNoAndTellsAKeywordsFileNotWritten) {
    for (int i = 0; i < 3; ++i)
        hidden->NewNote();
    window(0).pad->memoBodyChange("call the bank");
    window(2).pad->memoBodyChange("lunch at noon");
    EXPECT_CALL(boxes, show(_, "Would you like to save this action note?", _,
                            platform::MessageButtons::YesNo))
        .Times(2)
        .WillRepeatedly(Return(platform::MessageAnswer::No));
    // The test's keywords folder does not exist: the file cannot be written.
    EXPECT_CALL(boxes, show(_, HasSubstr("Unable to create the Keywords file."),
                            platform::MessageIcon::Stop, _));
    hidden->miExitClick();
    EXPECT_TRUE(hidden->openNotes().empty());
    EXPECT_TRUE(view.tip.empty());
    EXPECT_EQ(hotKey.registered, 0);
    EXPECT_TRUE(view.quitted);
    EXPECT_EQ(view.exitCode, 0);
}

TEST_F(HiddenTest, ExitStopsAtANoteWhoseSaveFailed) {
    hidden->FormShow();
    hidden->NewNote();
    hidden->NewNote();
    window(0).pad->memoBodyChange("call the bank");
    failing.failing() = {"Save"};
    EXPECT_CALL(boxes, show(_, "Would you like to save this action note?", _, _))
        .WillOnce(Return(platform::MessageAnswer::Yes));
    EXPECT_CALL(boxes, show(_, HasSubstr("Outlook refused 'Save'"), _, _));
    hidden->miExitClick();
    EXPECT_EQ(hidden->openNotes().size(), 2u) << "the text is not lost";
    EXPECT_FALSE(hidden->exiting);
    EXPECT_FALSE(view.quitted);
    EXPECT_EQ(view.tip, "Jotwise for Microsoft Outlook");
}

TEST_F(HiddenTest, ContactChangesReachEveryOpenNote) {
    hidden->NewNote();
    hidden->NewNote();
    const std::string bob = addContact("Bob", "Smith");
    settle();
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(window(i).shadow.contacts.size(), 2u) << i;
    window(1).pad->memoBodyChange("call bob smith");
    EXPECT_EQ(window(1).shadow.selected, bob) << "the new contact's keyword is known";
}

TEST_F(HiddenTest, CommandsOfTheTrayMenu) {
    hidden->TrayRightClick();
    EXPECT_EQ(view.menus, 1);
    hidden->miHelpClick();
    EXPECT_EQ(help.contents, 1);

    // The store's default form shows a new, unsaved contact, and nothing goes wrong.
    EXPECT_CALL(boxes, show).Times(0);
    hidden->miNewContactClick();
    ::testing::Mock::VerifyAndClearExpectations(&boxes);
    const auto& shown = outlook->windows().defaultItemForm().shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].item->get("Class").asInt(), outlook::olContact);
    EXPECT_EQ(shown[0].item->get("EntryID").asString(), "") << "not saved until the user does";
    EXPECT_FALSE(shown[0].closed);

    failing.failing() = {"Display"};
    EXPECT_CALL(boxes, show(_,
                            HasSubstr("Unable to invoke the 'New Contact' dialog in Outlook.\n"
                                      "Outlook refused 'Display'"),
                            platform::MessageIcon::Stop, _));
    hidden->miNewContactClick();
    ::testing::Mock::VerifyAndClearExpectations(&boxes);

    failing.failing() = {"ActiveExplorer"};
    EXPECT_CALL(boxes, show(_, HasSubstr("Unable to open and display an Outlook window."), _, _));
    hidden->miOpenOutlookClick();
}

}  // namespace
}  // namespace shell
