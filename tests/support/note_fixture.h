#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "notes/jotpad_view.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "notes/shadow_view.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "tests/support/failing_dispatch.h"
#include "tests/support/fake_note_views.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/scripted_address_dialog.h"
#include "tests/support/session_fixture.h"

namespace notes::testing {

// A session over a real store with one note open through fake windows. The parser reads
// the real clock, so the note does too.
class NoteTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        ann = addContact("Ann", "Lee", "Acme", "ann@example.com");
        bob = addContact("Bob", "Smith", "", "bob@example.com");
        setCategories("Business;Personal;Work");
        automation = &failing;
        outlook->setAddressDialog(&addressDialog);
        ASSERT_EQ(connect(), 0) << session->LastError();
        errorBox.setSession(session.get());
        messages::InstallErrorBox(&errorBox);
        context = std::make_unique<NoteContext>(
            NoteContext{*session, host, settings, boxes, files, clock, dateFormat});
        note = TJotPad::Create(*context, view, shadowView);
        ASSERT_NE(note, nullptr);
    }
    void TearDown() override {
        note.reset();
        messages::InstallErrorBox(nullptr);
        outlook->setAddressDialog(nullptr);
    }

    // Types the text one character at a time, as the memo reports each change.
    void type(const std::string& text) {
        for (char c : text) {
            memo += c;
            note->memoBodyChange(memo);
        }
    }
    void setMemo(const std::string& text) {
        memo = text;
        note->memoBodyChange(memo);
    }
    // The day of the week today or after it, as the date box shows it.
    std::string nextWeekday(std::chrono::weekday day) const {
        using namespace std::chrono;
        const sys_days today{clock.today()};
        return dateIn(static_cast<int>((day - weekday(today)).count()));
    }
    std::string dateIn(int days) const {
        using namespace std::chrono;
        return platform::formatShortDate(
            dateFormat, year_month_day{sys_days{clock.today()} + std::chrono::days{days}});
    }

    std::string ann, bob, memo;
    // Every automation call of the session goes through it, so a test can make one fail.
    outlook::testing::FailingAutomationServer failing{outlook->automation()};
    outlook::testing::ScriptedDialog addressDialog;
    FakeJotPadView view;
    FakeShadowView shadowView;
    FakeHost host;
    MemorySettings settings;
    ::testing::NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    messages::ErrorBox errorBox{boxes};
    ScriptedFileDialogs files;
    platform::SystemClock clock;
    platform::ShortDateFormat dateFormat = platform::systemShortDateFormat();
    std::unique_ptr<NoteContext> context;
    std::unique_ptr<TJotPad> note;
};

}  // namespace notes::testing
