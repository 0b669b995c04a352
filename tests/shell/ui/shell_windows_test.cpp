// The shell's windows on the offscreen platform: the tray menu and icon and where they lead,
// the splash over a real session, and About.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <list>
#include <sstream>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "notes/ui/jotpad_window.h"
#include "shell/hidden.h"
#include "shell/settings.h"
#include "shell/ui/about_window.h"
#include "shell/ui/getting_started_window.h"
#include "shell/ui/note_windows.h"
#include "shell/ui/splash_window.h"
#include "shell/ui/tray_window.h"
#include "shell/ui/trayless_window.h"
#include "tests/support/memory_registry.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/null_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace shell::ui {
namespace {

using ::testing::NiceMock;

template <class T>
T& named(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(name);
    if (!found) throw std::runtime_error(std::string("no component ") + name);
    return *found;
}

// ---- The tray ----

class RecordingView : public HiddenView {
public:
    bool trayAvailable() const override { return true; }
    bool addTrayIcon(const std::string&) override { return true; }
    void removeTrayIcon() override {}
    void popUpTrayMenu() override { ++menus; }
    void beep() override {}
    void quit(int code) override {
        quitted = true;
        exitCode = code;
    }
    int menus = 0;
    bool quitted = false;
    int exitCode = -1;
};

class CountingModal : public ModalWindow {
public:
    int showModal() override { return ++shown; }
    void bringToFront() override {}
    int shown = 0;
};

class NoHotKey : public platform::GlobalHotKey {
public:
    bool registerCtrlAlt(std::uint16_t, char, std::function<void()>, std::string&) override {
        return true;
    }
    void unregister(std::uint16_t) override {}
};

class CountingHelp : public platform::HelpViewer {
public:
    void showContents() override { ++contents; }
    void showTopic(int) override {}
    int contents = 0;
};

class NoFiles : public platform::FileDialogs {
public:
    std::optional<std::string> openExistingFile(const std::string&) override {
        return std::nullopt;
    }
};

// THidden over a real session, behind the real tray window; its own view is a recording one,
// so what each item leads to shows.
class TrayWindowTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_EQ(connect(), 0) << session->LastError();
        errorBox.setSession(session.get());
        messages::InstallErrorBox(&errorBox);
        gettingStarted = std::make_unique<GettingStartedWindow>(
            settings, boxes, folder.path() / "autostart", folder.path() / "jotwise");
        hidden = std::make_unique<THidden>(THidden::Services{
            *session, settings, boxes, files, clock, platform::systemShortDateFormat(), loop,
            hotKey, help, view, windows, about, &keywords, console, &gettingStarted->logic()});
        tray.setLogic(hidden.get());
    }
    void TearDown() override {
        for (notes::TJotPad* note : std::vector(hidden->openNotes()))
            delete dynamic_cast<notes::ui::JotPadWindow*>(&note->View());
        // Notes closed during the test delete themselves later; they must go while the
        // settings they write on the way out still exist.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tray.setLogic(nullptr);
        hidden.reset();
        messages::InstallErrorBox(nullptr);
    }
    QAction& item(const char* name) { return named<QAction>(tray.menu(), name); }

    TRegistry settings{registry};
    NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    messages::ErrorBox errorBox{boxes};
    NoFiles files;
    platform::SystemClock clock;
    NoHotKey hotKey;
    CountingHelp help;
    RecordingView view;
    QtNoteWindows windows;
    CountingModal about, keywords;
    std::ostringstream console;
    std::unique_ptr<GettingStartedWindow> gettingStarted;
    std::unique_ptr<THidden> hidden;
    TrayWindow tray;
};

TEST_F(TrayWindowTest, TheMenuHasItsItemsInOrderWithNewActionNoteTheBoldDefault) {
    std::vector<std::pair<QString, QString>> items;
    for (QAction* action : tray.menu().actions())
        items.emplace_back(action->objectName(), action->isSeparator() ? "-" : action->text());
    const std::vector<std::pair<QString, QString>> expected = {
        {"miNewJotPad", "New Action Note"},
        {"miNewContact", "New Contact"},
        {"miOpenOutlook", "Open Outlook"},
        {"miKeywords", "Keywords..."},
        {"miHelp", "Help"},
        {"miGettingStarted", "Getting Started"},
        {"s", "About..."},
        {"N1", "-"},
        {"miExit", "Exit"}};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(tray.menu().defaultAction(), &item("miNewJotPad"));
    EXPECT_TRUE(item("miNewJotPad").font().bold());
    EXPECT_EQ(item("miNewJotPad").shortcut(), QKeySequence("Ctrl+Alt+N"));
    EXPECT_EQ(tray.icon().objectName(), "imgTray");
    EXPECT_FALSE(tray.icon().icon().isNull());
    EXPECT_EQ(tray.icon().contextMenu(), nullptr) << "THidden pops the menu up itself";
}

TEST_F(TrayWindowTest, EveryItemReachesTHidden) {
    item("miNewJotPad").trigger();
    EXPECT_EQ(loop.runPending(), 1u) << "a note is posted, not opened inside the menu";
    ASSERT_EQ(hidden->openNotes().size(), 1u);
    auto* note = dynamic_cast<notes::ui::JotPadWindow*>(&hidden->openNotes()[0]->View());
    ASSERT_NE(note, nullptr) << "the note is a real note window";
    EXPECT_TRUE(note->isVisible());

    item("miNewContact").trigger();
    EXPECT_EQ(outlook->windows().defaultItemForm().shown.size(), 1u);
    item("miOpenOutlook").trigger();
    EXPECT_EQ(outlook->windows().defaultExplorer().activations +
                  static_cast<int>(outlook->windows().defaultExplorer().shownFolderNames.size()),
              1);
    item("miKeywords").trigger();
    EXPECT_EQ(keywords.shown, 1);
    item("miHelp").trigger();
    EXPECT_EQ(help.contents, 1);
    item("s").trigger();
    EXPECT_EQ(about.shown, 1);
    item("miExit").trigger();
    EXPECT_TRUE(view.quitted);
    EXPECT_TRUE(hidden->openNotes().empty()) << "the empty note closed without a question";
}

// Getting Started is a window beside the others: the menu shows it again whenever asked, and
// nothing waits for it to close.
TEST_F(TrayWindowTest, GettingStartedShowsAgainFromTheMenuAndHoldsNothingUp) {
    ASSERT_FALSE(gettingStarted->isVisible());
    item("miGettingStarted").trigger();
    EXPECT_TRUE(gettingStarted->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(named<QCheckBox>(*gettingStarted, "chkAutostart").isChecked());
    item("miNewJotPad").trigger();
    EXPECT_EQ(loop.runPending(), 1u);
    EXPECT_EQ(hidden->openNotes().size(), 1u) << "a note opens while it is shown";
    named<QPushButton>(*gettingStarted, "btnClose").click();
    EXPECT_FALSE(gettingStarted->isVisible());

    // Behind a modal window it only beeps, like the other commands.
    hidden->modalWindow = &about;
    item("miGettingStarted").trigger();
    EXPECT_FALSE(gettingStarted->isVisible());
    hidden->modalWindow = nullptr;
}

TEST_F(TrayWindowTest, ADoubleClickOpensANoteARightClickTheMenuAndOneClickNothing) {
    emit tray.icon().activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(loop.runPending(), 0u);
    EXPECT_EQ(view.menus, 0);
    emit tray.icon().activated(QSystemTrayIcon::Context);
    EXPECT_EQ(view.menus, 1);
    emit tray.icon().activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(loop.runPending(), 1u);
    EXPECT_EQ(hidden->openNotes().size(), 1u);
}

TEST_F(TrayWindowTest, ANoteOpensHiddenForTHiddenToPlace) {
    auto context = notes::NoteContext{
        *session, *hidden, settings, boxes, files, clock, platform::systemShortDateFormat()};
    notes::TJotPad* note = windows.OpenNote(context);
    ASSERT_NE(note, nullptr);
    auto* window = dynamic_cast<notes::ui::JotPadWindow*>(&note->View());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(&window->logic(), note);
    delete window;
}

// ---- The splash ----

class SessionHost : public SplashHost {
public:
    explicit SessionHost(std::function<std::unique_ptr<outlook::TDataStore>()> make)
        : make_(std::move(make)) {}
    outlook::TDataStore& CreateSession() override {
        session = make_();
        return *session;
    }
    void DestroySession() override { session.reset(); }
    void ShowHidden() override { ++handedOver; }
    void Quit(int) override { quitted = true; }

    std::unique_ptr<outlook::TDataStore> session;
    int handedOver = 0;
    bool quitted = false;

private:
    std::function<std::unique_ptr<outlook::TDataStore>()> make_;
};

class SplashWindowTest : public outlook::testing::SessionTest {
protected:
    SessionHost host{[this] { return makeSession(); }};
    std::ostringstream console;
};

TEST_F(SplashWindowTest, ItsPartsAreThereByName) {
    SplashWindow splash(host, loop, "/bin/sh", console);
    EXPECT_EQ(splash.size(), QSize(306, 400));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(named<QLabel>(splash, "lblProgress").text(), "Loading...");
    auto& bar = named<QProgressBar>(splash, "pbProgress");
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_NO_THROW(named<QWidget>(splash, "Image1"));
    EXPECT_NO_THROW(named<QLabel>(splash, "lblVersion"));
    auto& timer = named<QTimer>(splash, "tmTimer");
    EXPECT_EQ(timer.interval(), 2000);
    EXPECT_FALSE(timer.isActive());
}

TEST_F(SplashWindowTest, ShownItConnectsAfterItsFirstPaintAndStartsTheHold) {
    for (int i = 0; i < 5; ++i)
        addContact("Given" + std::to_string(i), "Surname");
    SplashWindow splash(host, loop, "/bin/sh", console);
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    QTRY_COMPARE(loop.pendingCount(), 1u);
    EXPECT_EQ(host.session, nullptr) << "the connection is posted, not made while painting";
    EXPECT_EQ(named<QLabel>(splash, "lblVersion").text(), "Version unknown");
    loop.runPending();
    ASSERT_NE(host.session, nullptr);
    EXPECT_EQ(named<QLabel>(splash, "lblProgress").text(), "Done!");
    auto& bar = named<QProgressBar>(splash, "pbProgress");
    EXPECT_EQ(bar.maximum(), 5);
    EXPECT_EQ(bar.value(), 5);
    auto& timer = named<QTimer>(splash, "tmTimer");
    EXPECT_TRUE(timer.isActive());

    // The two seconds are not waited for: the timer fires now.
    timer.setInterval(0);
    QTRY_COMPARE(host.handedOver, 1);
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(host.handedOver, 1);
}

TEST_F(SplashWindowTest, AnEmptyRangeShowsAFullBarNotABusyOne) {
    SplashWindow splash(host, loop, "/bin/sh", console);
    splash.showProgressBar(0, 0, 0);
    const auto& bar = named<QProgressBar>(splash, "pbProgress");
    EXPECT_LT(bar.minimum(), bar.maximum());
    EXPECT_EQ(bar.value(), bar.maximum());
}

// ---- About ----

TEST(AboutWindow, ItsPartsAreThereByName) {
    AboutWindow about("/bin/sh");
    EXPECT_EQ(about.size(), QSize(306, 400));
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_NO_THROW(named<QWidget>(about, "imgAbout"));
    auto& ok = named<QPushButton>(about, "btnOK");
    EXPECT_EQ(ok.text(), "OK");
    EXPECT_TRUE(ok.isDefault());
}

TEST(AboutWindow, ItOpensWithNothingFocusedAndEnterClosesItWithOne) {
    AboutWindow about("/bin/sh");
    QWidget* focused = &about;
    QString version;
    QTimer::singleShot(0, &about, [&] {
        focused = about.focusWidget();
        version = named<QLabel>(about, "lblVersion").text();
        QTest::keyClick(&about, Qt::Key_Return);
    });
    // Should Enter not close it, the test fails instead of waiting for ever.
    QTimer::singleShot(10000, &about, [&] { about.done(-1); });
    EXPECT_EQ(about.showModal(), 1);
    EXPECT_EQ(focused, nullptr);
    EXPECT_EQ(version, "Version unknown");

    // Again: it can be shown any number of times.
    QTimer::singleShot(0, &about, [&] { named<QPushButton>(about, "btnOK").click(); });
    EXPECT_EQ(about.showModal(), 1);
}

// ---- Without a tray ----

class RecordingNotifier : public DesktopNotifier {
public:
    void notify(const std::string& summary, const std::string&) override {
        summaries.push_back(summary);
    }
    std::vector<std::string> summaries;
};

TEST(GettingStartedWindow, WithoutATrayIconItsTextsSendTheUserToWhatWorksInstead) {
    jotwise::testing::MemoryRegistry registry;
    TRegistry settings(registry);
    jotwise::testing::NullMessageBoxes boxes;
    jotwise::testing::TempFolder folder;
    GettingStartedWindow window(settings, boxes, folder.path() / "autostart",
                                folder.path() / "jotwise");
    const auto texts = [&] {
        QString all;
        for (const QLabel* label : window.findChildren<QLabel*>())
            all += label->text() + "\n";
        return all;
    };
    window.logic().TrayIconShown(false);
    EXPECT_FALSE(texts().contains("tray")) << texts().toStdString();
    EXPECT_TRUE(named<QLabel>(window, "lblOpenNote").text().contains(">jotwise note</code>"));
    EXPECT_TRUE(named<QLabel>(window, "lblContacts").text().contains("J</b> menu"));

    window.logic().TrayIconShown(true);
    EXPECT_TRUE(named<QLabel>(window, "lblAgain").text().contains("in the tray menu"));
    EXPECT_FALSE(texts().contains("jotwise note"));
}

TEST(TraylessWindow, ItSaysWhatToDoInsteadOnceHoldingNothingUp) {
    jotwise::testing::MemoryRegistry registry;
    TRegistry settings(registry);
    RecordingNotifier notifier;
    TraylessWindow window(settings, notifier);
    window.logic().NoTray(false);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(notifier.summaries,
              std::vector<std::string>{"Jotwise is running without a tray icon"});
    const QString open = named<QLabel>(window, "lblOpenNote").text();
    EXPECT_TRUE(open.contains(">jotwise note</code>")) << open.toStdString();
    EXPECT_FALSE(open.contains("Ctrl+Alt+N")) << "not offered when it could not be taken";
    EXPECT_TRUE(named<QLabel>(window, "lblExit").text().contains("jotwise quit"));
    EXPECT_TRUE(named<QLabel>(window, "lblGetIcon").text().contains("AppIndicator"));

    named<QPushButton>(window, "btnClose").click();
    EXPECT_FALSE(window.isVisible());
    window.logic().NoTray(true);
    EXPECT_FALSE(window.isVisible()) << "told once";
    EXPECT_EQ(notifier.summaries.size(), 1u);
}

}  // namespace
}  // namespace shell::ui
