#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <chrono>
#include <deque>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "notes/note_context.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "notes/ui/jotpad_window.h"
#include "notes/ui/shadow_window.h"
#include "tests/support/fake_note_views.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace notes::ui::testing {

using notes::testing::FakeHost;
using notes::testing::MemorySettings;
using notes::testing::ScriptedFileDialogs;

class FixedClock : public platform::Clock {
public:
    std::chrono::year_month_day day{std::chrono::year{2026}, std::chrono::month{3},
                                    std::chrono::day{10}};
    std::chrono::year_month_day today() const override { return day; }
};

// The window that a test drives, found by its name.
template <class T>
T& child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    if (!found) throw std::runtime_error(std::string("no component ") + name);
    return *found;
}

// The type's name in the note's title bar.
inline QString typeShown(JotPadWindow& note) {
    return child<QWidget>(note, "lblType").property("text").toString();
}

// The note and its shadow as they stand on the screen, on a plain desktop, with a margin.
inline QImage noteAndShadowPicture(JotPadWindow& note) {
    constexpr int kMargin = 12;
    QCoreApplication::processEvents();
    ShadowWindow& shadow = note.shadowWindow();
    const QRect noteFrame = note.frameGeometry();
    const QRect shadowFrame = shadow.frameGeometry();
    const QRect both = noteFrame.united(shadowFrame).adjusted(-kMargin, -kMargin, kMargin, kMargin);
    QImage image(both.size(), QImage::Format_RGB32);
    image.fill(QColor(0x5a, 0x6e, 0x86));
    QPainter painter(&image);
    // The shadow first: behind its note, the note covers it.
    painter.drawPixmap(shadowFrame.topLeft() - both.topLeft(), shadow.grab());
    painter.drawPixmap(noteFrame.topLeft() - both.topLeft(), note.grab());
    return image;
}

// A real note over a real session on a local store, with a contact and a few categories.
// Every message box the note shows goes to `boxes`: one that no test expects fails it.
class NoteWindowTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        annKey = addContact("Ann", "Lee", "", "ann@example.com");
        setCategories("Work;Personal;Holiday;");
        ASSERT_EQ(connect(), 0) << session->LastError();
        // The keyword the user would have given Ann besides her full name.
        ASSERT_EQ(Prs_AddAlias("ann", "", "", annKey.c_str()), 1);
        context.emplace(NoteContext{*session, host, settings, boxes, files, clock,
                                    platform::systemShortDateFormat()});
        errorBox.setSession(session.get());
        messages::InstallErrorBox(&errorBox);
    }

    void TearDown() override {
        for (const QPointer<JotPadWindow>& window : windows)
            delete window.data();
        windows.clear();
        settleDeletes();
        messages::InstallErrorBox(nullptr);
    }

    // A note placed where the settings say and shown, with the focus in its memo.
    JotPadWindow& openNote() {
        JotPadWindow* window = JotPadWindow::create(*context);
        if (!window) throw std::runtime_error("the note could not be made");
        windows.emplace_back(window);
        window->logic().PlaceNew(std::nullopt);
        window->showAndActivate();
        if (!QTest::qWaitForWindowActive(window)) ADD_FAILURE() << "the note did not activate";
        memo(*window).setFocus();
        return *window;
    }

    static QWidget& memo(JotPadWindow& window) { return child<QWidget>(window, "memoBody"); }
    static QComboBox& shadowCombo(JotPadWindow& window, const char* name) {
        return child<QComboBox>(window.shadowWindow(), name);
    }

    // Runs the deletions that closed windows asked for.
    static void settleDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // A small file to attach; it lives as long as the test's folder.
    std::string makeFile(const std::string& name) {
        const auto path = folder.path() / name;
        std::ofstream(path) << "agenda\n";
        return path.string();
    }

    // The day `days` after today on the wall clock, as the parser reads "tomorrow".
    std::string todayPlus(int days) const {
        const std::chrono::sys_days today{platform::SystemClock{}.today()};
        return platform::formatShortDate(
            context->dateFormat, std::chrono::year_month_day{today + std::chrono::days{days}});
    }

    FakeHost host;
    MemorySettings settings;
    ::testing::StrictMock<jotwise::testing::MockMessageBoxes> boxes;
    messages::ErrorBox errorBox{boxes};
    ScriptedFileDialogs files;
    FixedClock clock;
    std::optional<NoteContext> context;  // once the session is connected
    std::string annKey;
    std::vector<QPointer<JotPadWindow>> windows;
};

}  // namespace notes::ui::testing
