#pragma once

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "shell/hidden.h"
#include "shell/settings.h"
#include "tests/support/note_fixture.h"

namespace shell::testing {

class FakeHiddenView : public HiddenView {
public:
    bool trayAvailable() const override { return tray; }
    bool addTrayIcon(const std::string& t) override {
        if (!tray || refuse) return false;
        tip = t;
        return true;
    }
    void removeTrayIcon() override { tip.clear(); }
    void popUpTrayMenu() override { ++menus; }
    void beep() override { ++beeps; }
    void quit(int code) override {
        quitted = true;
        exitCode = code;
    }

    bool tray = true;
    // A tray host that is there but does not take the icon.
    bool refuse = false;
    std::string tip;
    int menus = 0, beeps = 0;
    bool quitted = false;
    std::optional<int> exitCode;
};

class FakeModal : public ModalWindow {
public:
    int showModal() override {
        ++shown;
        if (whileShown) whileShown();
        return 1;
    }
    void bringToFront() override { ++raised; }
    std::function<void()> whileShown;
    int shown = 0, raised = 0;
};

class FakeHotKey : public platform::GlobalHotKey {
public:
    bool registerCtrlAlt(std::uint16_t id, char letter, std::function<void()> p,
                         std::string& reason) override {
        if (!available) {
            reason = "You may already be running a program which uses the CTRL+ALT+N hot key.";
            return false;
        }
        registered = id;
        key = letter;
        pressed = std::move(p);
        return true;
    }
    void unregister(std::uint16_t id) override {
        if (id == registered) registered = 0;
    }
    // A desktop that answers after the registration and says no.
    void refuseLater(const std::string& reason) { refuse(registered, reason); }
    bool available = true;
    std::uint16_t registered = 0;
    char key = 0;
    std::function<void()> pressed;
};

class FakeHelp : public platform::HelpViewer {
public:
    void showContents() override { ++contents; }
    void showTopic(int) override {}
    int contents = 0;
};

// Note windows that close for real: closing runs the note's FormClose.
class FakeNoteWindows : public NoteWindows {
public:
    struct Window {
        class View : public notes::testing::FakeJotPadView {
        public:
            void closeWindow() override {
                FakeJotPadView::closeWindow();
                if (pad) pad->FormClose();
            }
            notes::TJotPad* pad = nullptr;
        } view;
        notes::testing::FakeShadowView shadow;
        std::unique_ptr<notes::TJotPad> pad;
    };
    notes::TJotPad* OpenNote(notes::NoteContext& context) override {
        Window& w = windows.emplace_back();
        w.pad = notes::TJotPad::Create(context, w.view, w.shadow);
        w.view.pad = w.pad.get();
        return w.pad.get();
    }
    std::list<Window> windows;
};

// The running program's THidden over a real store with a contact, Ann Lee, and fakes for
// everything else it drives; the fixture's test makes the THidden itself.
class HiddenFixture : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        ann = addContact("Ann", "Lee", "", "ann@example.com");
        automation = &failing;
        ASSERT_EQ(connect(), 0) << session->LastError();
        errorBox.setSession(session.get());
        messages::InstallErrorBox(&errorBox);
    }
    void TearDown() override {
        windows.windows.clear();
        hidden.reset();
        messages::InstallErrorBox(nullptr);
    }
    // The program starting (again) on the same profile, with the windows given.
    void makeHidden(TGettingStarted* gettingStarted, TTraylessNotice* trayless,
                    ActionNotifier* notifier = nullptr) {
        hidden.reset();
        hidden = std::make_unique<THidden>(
            THidden::Services{*session, settings, boxes, files, clock,
                              platform::systemShortDateFormat(), loop, hotKey, help, view, windows,
                              about, &keywords, console, gettingStarted, trayless, notifier});
    }

    std::string ann;
    outlook::testing::FailingAutomationServer failing{outlook->automation()};
    TRegistry settings{registry};
    ::testing::NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    messages::ErrorBox errorBox{boxes};
    notes::testing::ScriptedFileDialogs files;
    platform::SystemClock clock;
    FakeHotKey hotKey;
    FakeHelp help;
    FakeHiddenView view;
    FakeNoteWindows windows;
    FakeModal about, keywords;
    std::ostringstream console;
    std::unique_ptr<THidden> hidden;
};

}  // namespace shell::testing
