// How long the windows take with a large address book: one memo keystroke with 5,000
// contacts and 200 categories, and filling the shadow's contact list. Run by hand; it
// prints its figures and asserts nothing about them:
//   jotwise_ui_tests --gtest_also_run_disabled_tests --gtest_filter='NoteWindowSpeed.*'
#include <QPlainTextEdit>
#include <algorithm>
#include <chrono>
#include <iostream>

#include "tests/notes/ui/note_window_fixture.h"

namespace notes::ui::testing {
namespace {

constexpr int kContacts = 5000;
constexpr int kCategories = 200;
constexpr int kKeystrokes = 200;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class NoteWindowSpeed : public outlook::testing::SessionTest {};

TEST_F(NoteWindowSpeed, DISABLED_KeystrokeAndContactListWith5000Contacts) {
    std::string categories;
    for (int i = 0; i < kCategories; ++i)
        categories += "Category " + std::to_string(i) + ";";
    setCategories(categories);
    const auto app = application();
    for (int i = 0; i < kContacts; ++i) {
        const auto contact = app->call("CreateItem", {outlook::olContactItem}).asObject();
        contact->put("FirstName", "Given" + std::to_string(i));
        contact->put("LastName", "Surname" + std::to_string(i % 977));
        contact->call("Save");
    }
    ASSERT_EQ(connect(), 0);

    FakeHost host;
    MemorySettings settings;
    ::testing::NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    ScriptedFileDialogs files;
    FixedClock clock;
    NoteContext context{
        *session, host, settings, boxes, files, clock, platform::systemShortDateFormat()};
    const auto created = Clock::now();
    QPointer<JotPadWindow> note = JotPadWindow::create(context);
    const double createMs = millisecondsSince(created);
    ASSERT_TRUE(note);
    note->logic().PlaceNew(std::nullopt);
    note->showAndActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(note));

    auto& memo = child<QPlainTextEdit>(*note, "memoBody");
    memo.setFocus();
    const std::string sentence = "lunch with Given12 Surname12 tomorrow at noon about the plans ";
    std::string text;
    while (text.size() < 300)
        text += sentence;
    text.resize(300);
    memo.setPlainText(QString::fromStdString(text));

    std::vector<double> keystrokes;
    for (int i = 0; i < kKeystrokes; ++i) {
        const auto start = Clock::now();
        QTest::keyClick(&memo, i % 2 ? Qt::Key_Backspace : Qt::Key_X);
        keystrokes.push_back(millisecondsSince(start));
    }

    std::vector<ContactChoice> choices = note->logic().Shadow().Contacts();
    std::vector<double> fills, refills;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        note->shadowWindow().setContacts(choices);
        fills.push_back(millisecondsSince(start));
        const auto again = Clock::now();
        note->logic().Shadow().ContactChanged(std::nullopt, std::nullopt);
        refills.push_back(millisecondsSince(again));
    }

    std::cout << "contacts: " << choices.size()
              << ", categories: " << note->logic().Shadow().Categories().size() << "\n"
              << "note and shadow made in " << createMs << " ms\n"
              << "memo keystroke, median of " << kKeystrokes << ": " << median(keystrokes)
              << " ms (max " << *std::max_element(keystrokes.begin(), keystrokes.end()) << " ms)\n"
              << "shadow contact list filled (window only), median of 5: " << median(fills)
              << " ms\n"
              << "shadow contact list refilled from the session, median of 5: " << median(refills)
              << " ms\n";
    delete note.data();
}

}  // namespace
}  // namespace notes::ui::testing
