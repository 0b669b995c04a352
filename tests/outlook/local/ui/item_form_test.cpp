#include "outlook/local/ui/item_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <fstream>

#include "tests/outlook/local/repeating_items.h"
#include "tests/outlook/local/ui/store_window_fixture.h"
#include "tests/support/text_fits.h"

namespace outlook::local::testing {
namespace {

class ItemFormTest : public StoreWindowTest {
protected:
    QDialog& shownWindow() {
        const auto open = windows->itemForm().openWindows();
        if (open.size() != 1) throw std::runtime_error("not one window open");
        return *open.front();
    }
    bool anyOpen() { return !windows->itemForm().openWindows().empty(); }
    // Replaces a line's text as a user does: select all, delete, type.
    static void retype(QLineEdit& edit, const char* text) {
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Delete);
        QTest::keyClicks(&edit, text);
    }
    static void retypeTime(QDialog& window, const char* name, const char* text) {
        retype(*child<QComboBox>(window, name).lineEdit(), text);
    }
    static void check(QDialog& window, const char* category) {
        auto& list = child<QListWidget>(window, "listCategories");
        const auto found = list.findItems(category, Qt::MatchFixedString);
        ASSERT_EQ(found.size(), 1) << category;
        found.front()->setCheckState(Qt::Checked);
    }
    static void save(QDialog& window) { child<QPushButton>(window, "btnSave").click(); }
    std::chrono::local_seconds storedTime(const DispatchPtr& item, const char* property) {
        return LocalFromOleDate(stored(item)->get(property).asDate());
    }
};

TEST_F(ItemFormTest, AnAppointmentIsEditedThroughItsFormAndSaved) {
    auto item = saveAppointment("Dentist", localAt(2026, 3, 10, 15), 30);
    item->call("Display");
    QDialog& window = shownWindow();
    EXPECT_EQ(window.objectName(), "AppointmentForm");
    EXPECT_EQ(window.windowTitle(), "Dentist - Appointment");
    EXPECT_FALSE(child<QWidget>(window, "btnRemoveRepeat").isVisibleTo(&window));

    retypeTime(window, "cbStartTime", "4:00 PM");
    retypeTime(window, "cbEndTime", "4:45 PM");
    QTest::keyClicks(&child<QLineEdit>(window, "edLocation"), "Smile Street 4");
    // A new appointment reminds, a quarter of an hour before it starts.
    EXPECT_TRUE(child<QCheckBox>(window, "chkReminder").isChecked());
    auto& lead = child<QComboBox>(window, "cbReminder");
    EXPECT_EQ(lead.currentData().toInt(), 15);
    lead.setCurrentIndex(lead.findData(60));
    auto& showAs = child<QComboBox>(window, "cbShowAs");
    showAs.setCurrentIndex(showAs.findText("Out of office"));
    check(window, "Personal");
    QTest::keyClicks(&child<QLineEdit>(window, "edNewCategory"), "Health");
    child<QPushButton>(window, "btnAddCategory").click();
    QTest::keyClicks(&child<QPlainTextEdit>(window, "memoBody"), "Bring the card");
    save(window);
    EXPECT_FALSE(anyOpen());

    const auto back = stored(item);
    EXPECT_EQ(storedTime(item, "Start"), localAt(2026, 3, 10, 16));
    EXPECT_EQ(storedTime(item, "End"), localAt(2026, 3, 10, 16, 45));
    EXPECT_EQ(back->get("Location").asString(), "Smile Street 4");
    EXPECT_TRUE(back->get("ReminderSet").asBool());
    EXPECT_EQ(back->get("ReminderMinutesBeforeStart").asInt(), 60);
    EXPECT_EQ(back->get("BusyStatus").asInt(), olOutOfOffice);
    EXPECT_EQ(back->get("Categories").asString(), "Personal; Health");
    EXPECT_EQ(back->get("Body").asString(), "Bring the card");
}

TEST_F(ItemFormTest, AnEndBeforeTheStartIsRefusedInPlaceAndTheRepeatCanBeRemoved) {
    auto item = saveAppointment("Call the bank", localAt(2026, 3, 10, 9), 30);
    fileRepeating(item, everyOtherTuesday(dayOf(2026, 3, 10)));
    stored(item)->call("Display");
    QDialog& window = shownWindow();
    EXPECT_NE(child<QLabel>(window, "lblRepeat").text().indexOf("every 2 weeks"), -1);

    retypeTime(window, "cbEndTime", "8:00 AM");
    save(window);
    ASSERT_TRUE(anyOpen());
    auto& problem = child<QLabel>(window, "lblProblem");
    EXPECT_TRUE(problem.isVisibleTo(&window));
    EXPECT_NE(problem.text().indexOf("ends before it starts"), -1);

    retypeTime(window, "cbEndTime", "soon");
    save(window);
    EXPECT_NE(problem.text().indexOf("\"soon\" is not a time"), -1);

    retypeTime(window, "cbEndTime", "9:30 AM");
    child<QPushButton>(window, "btnRemoveRepeat").click();
    EXPECT_FALSE(child<QWidget>(window, "btnRemoveRepeat").isVisibleTo(&window));
    save(window);
    EXPECT_FALSE(anyOpen());
    EXPECT_FALSE(stored(item)->get("IsRecurring").asBool());
}

TEST_F(ItemFormTest, ATaskIsEditedAndMarkedCompleteThroughItsForm) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Tax return");
    task->call("Save");
    task->call("Display");
    QDialog& window = shownWindow();
    EXPECT_EQ(window.objectName(), "TaskForm");
    EXPECT_FALSE(child<QDateEdit>(window, "dtDue").isEnabled()) << "no due date yet";
    child<QCheckBox>(window, "chkDue").click();
    child<QDateEdit>(window, "dtDue").setDate(QDate(2026, 4, 30));
    child<QSpinBox>(window, "spinPercent").setValue(40);
    EXPECT_EQ(child<QComboBox>(window, "cbStatus").currentText(), "Not started")
        << "the status is the user's to set";
    child<QPushButton>(window, "btnMarkComplete").click();
    EXPECT_EQ(child<QComboBox>(window, "cbStatus").currentText(), "Completed");
    EXPECT_EQ(child<QSpinBox>(window, "spinPercent").value(), 100);
    save(window);
    EXPECT_FALSE(anyOpen());
    const auto back = stored(task);
    EXPECT_EQ(storedTime(task, "DueDate"), localAt(2026, 4, 30));
    EXPECT_EQ(back->get("Status").asInt(), olTaskComplete);
    EXPECT_EQ(back->get("PercentComplete").asInt(), 100);
    EXPECT_LT(back->get("DateCompleted").asDate().serial, 949998.0);
}

TEST_F(ItemFormTest, NotesAndJournalEntriesAreEditedThroughTheirForms) {
    auto note = createItem(olNoteItem);
    note->put("Body", "Van");
    note->call("Save");
    note->call("Display");
    QDialog& noteWindow = shownWindow();
    EXPECT_EQ(noteWindow.objectName(), "NoteForm");
    auto& memo = child<QPlainTextEdit>(noteWindow, "memoBody");
    memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&memo, " service");
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClicks(&memo, "brakes");
    EXPECT_EQ(noteWindow.windowTitle(), "Van service - Note");
    noteWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&noteWindow));
    QTest::keyClick(&memo, Qt::Key_S, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(anyOpen());
    EXPECT_EQ(stored(note)->get("Subject").asString(), "Van service");

    auto entry = createItem(olJournalItem);
    entry->put("Subject", "Call with Ann");
    entry->put("ContactNames", "Ann Lee");
    entry->put("Start", oleAt(localAt(2026, 3, 10, 9)));
    entry->call("Save");
    entry->call("Display");
    QDialog& journal = shownWindow();
    EXPECT_EQ(journal.objectName(), "JournalForm");
    EXPECT_EQ(child<QLabel>(journal, "lblContacts").text(), "Ann Lee");
    child<QComboBox>(journal, "cbType").setCurrentText("Phone call");
    child<QSpinBox>(journal, "spinDuration").setValue(25);
    save(journal);
    EXPECT_FALSE(anyOpen());
    EXPECT_EQ(stored(entry)->get("Type").asString(), "Phone call");
    EXPECT_EQ(stored(entry)->get("Duration").asInt(), 25);
}

TEST_F(ItemFormTest, EscapeOnAChangedFormAsksAndMailStaysReadOnly) {
    auto item = saveAppointment("Dentist", localAt(2026, 3, 10, 15), 30);
    item->call("Display");
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    EXPECT_FALSE(anyOpen());
    EXPECT_EQ(boxes.shown, 0) << "nothing changed, nothing asked";

    item->call("Display");
    auto& subject = child<QLineEdit>(shownWindow(), "edSubject");
    subject.end(false);
    QTest::keyClicks(&subject, " at 4");
    boxes.answer = platform::MessageAnswer::Cancel;
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    ASSERT_TRUE(anyOpen());
    EXPECT_EQ(boxes.shown, 1);
    EXPECT_EQ(boxes.lastText, "Would you like to save the changes to Dentist at 4?");
    boxes.answer = platform::MessageAnswer::Yes;
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    EXPECT_FALSE(anyOpen());
    EXPECT_EQ(stored(item)->get("Subject").asString(), "Dentist at 4");

    auto mail = createItem(olMailItem);
    mail->put("Subject", "Hello");
    mail->call("Save");
    mail->call("Display");
    EXPECT_EQ(shownWindow().objectName(), "ItemView");
}

// Every form filled as a user would see it, at three font sizes and in the dark.
TEST_F(ItemFormTest, EveryTextFitsAtEveryFontSizeAndInTheDark) {
    auto appointment = saveAppointment("Dentist", localAt(2026, 3, 10, 15), 45, "Personal");
    appointment->put("Location", "Smile Street 4, second floor");
    appointment->put("ReminderSet", true);
    appointment->put("ReminderMinutesBeforeStart", 30);
    appointment->put("Body", "Bring the insurance card.\nAsk about the crown.");
    const auto plan = temp.path() / "treatment plan.pdf";
    std::ofstream(plan) << "x";
    appointment->get("Attachments").asObject()->call("Add", {plan.string(), olByReference});
    appointment->call("Save");
    fileRepeating(appointment, everyOtherTuesday(dayOf(2026, 3, 10)));

    auto task = createItem(olTaskItem);
    task->put("Subject", "File the tax return");
    task->put("DueDate", oleAt(localAt(2026, 4, 30)));
    task->put("Status", olTaskInProgress);
    task->put("PercentComplete", 40);
    task->put("Categories", "Business; Time & Expenses");
    task->put("Body", "Receipts are in the blue folder.");
    task->call("Save");

    auto note = createItem(olNoteItem);
    note->put("Body", "Van service\nBrakes squeak at low speed; oil due in May.");
    note->put("Categories", "Personal");
    note->call("Save");

    auto journal = createItem(olJournalItem);
    journal->put("Subject", "Call with Ann about the order");
    journal->put("Type", "Phone call");
    journal->put("ContactNames", "Ann Lee");
    journal->put("Companies", "Acme");
    journal->put("Start", oleAt(localAt(2026, 3, 10, 9, 30)));
    journal->put("Duration", 25);
    journal->put("Body", "She wants the second batch by Friday.");
    journal->call("Save");

    const std::pair<const char*, DispatchPtr> forms[] = {
        {"appointment", appointment}, {"task", task}, {"note", note}, {"journal", journal}};
    const auto render = [&](const std::string& suffix) {
        for (const auto& [kind, item] : forms) {
            stored(item)->call("Display");
            QDialog& window = shownWindow();
            window.show();
            QCoreApplication::processEvents();
            const std::string picture = std::string("item_form_") + kind + "_" + suffix + ".png";
            EXPECT_EQ(jotwise::testing::clippedTexts(window), std::vector<std::string>())
                << picture;
            if (suffix != "14pt") keep(window, picture.c_str());
            window.close();
            QCoreApplication::processEvents();
        }
    };
    for (int points : {9, 11, 14}) {
        const jotwise::testing::ApplicationFontSize font(points);
        render(std::to_string(points) + "pt");
    }
    const jotwise::testing::DarkPalette dark;
    render("dark");
}

}  // namespace
}  // namespace outlook::local::testing
