// How long the hot key takes to bring up a note with 5,000 contacts, inside the program: from
// THidden hearing the key to the note's window shown, drawn and typing into its memo. Run by
// hand on an X display, where it prints its figures and asserts nothing about them:
//   scripts/with-xvfb.sh build/tests/jotwise_ui_tests --gtest_also_run_disabled_tests
//       --gtest_filter='TraySpeed.*'
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <iostream>
#include <sstream>

#include "notes/jotpad.h"
#include "notes/ui/jotpad_window.h"
#include "shell/hidden.h"
#include "shell/settings.h"
#include "shell/ui/note_windows.h"
#include "shell/ui/tray_window.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace shell::ui {
namespace {

using Clock = std::chrono::steady_clock;

class Modal : public ModalWindow {
public:
    int showModal() override { return 1; }
    void bringToFront() override {}
};

class NoHotKey : public platform::GlobalHotKey {
public:
    bool registerCtrlAlt(std::uint16_t, char, std::function<void()>, std::string&) override {
        return true;
    }
    void unregister(std::uint16_t) override {}
};

class NoHelp : public platform::HelpViewer {
public:
    void showContents() override {}
    void showTopic(int) override {}
};

class NoFiles : public platform::FileDialogs {
public:
    std::optional<std::string> openExistingFile(const std::string&) override {
        return std::nullopt;
    }
};

class TraySpeed : public outlook::testing::SessionTest {};

TEST_F(TraySpeed, DISABLED_HotKeyToATypeableNoteWith5000Contacts) {
    const auto app = application();
    for (int i = 0; i < 5000; ++i) {
        const auto contact = app->call("CreateItem", {outlook::olContactItem}).asObject();
        contact->put("FirstName", "Given" + std::to_string(i));
        contact->put("LastName", "Surname" + std::to_string(i % 977));
        contact->call("Save");
    }
    const auto connecting = Clock::now();
    ASSERT_EQ(connect(), 0);
    const double connectMs =
        std::chrono::duration<double, std::milli>(Clock::now() - connecting).count();

    TRegistry settings{registry};
    ::testing::NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    NoFiles files;
    platform::SystemClock clock;
    NoHotKey hotKey;
    NoHelp help;
    TrayWindow tray;
    QtNoteWindows windows;
    Modal about;
    std::ostringstream console;
    THidden hidden(THidden::Services{*session, settings, boxes, files, clock,
                                     platform::systemShortDateFormat(), loop, hotKey, help, tray,
                                     windows, about, nullptr, console});
    tray.setLogic(&hidden);

    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        const auto start = Clock::now();
        // What the hot key's press runs once it reaches the event loop.
        hidden.NewNote();
        ASSERT_EQ(hidden.openNotes().size(), 1u);
        auto* note = dynamic_cast<notes::ui::JotPadWindow*>(&hidden.openNotes()[0]->View());
        auto* memo = note->findChild<QPlainTextEdit*>("memoBody");
        // Until the window is on the screen, drawn, and its memo takes keys.
        while (!(note->windowHandle() && note->windowHandle()->isExposed() &&
                 QApplication::focusWidget() == memo) &&
               Clock::now() - start < std::chrono::seconds(5))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        note->closeWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(100);
    }
    std::sort(times.begin(), times.end());
    std::cout << "connect with 5,000 contacts: " << connectMs << " ms\n"
              << "hot key to a note ready for typing: median " << times[times.size() / 2]
              << " ms, fastest " << times.front() << " ms, slowest " << times.back() << " ms\n";
}

}  // namespace
}  // namespace shell::ui
