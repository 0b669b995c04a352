#include "notes/ui/jotpad_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "outlook/object_model.h"
#include "tests/notes/ui/note_window_fixture.h"
#include "tests/support/mnemonics.h"
#include "tests/support/pictures.h"

namespace notes::ui::testing {
namespace {

using ::testing::_;
using ::testing::Return;

class JotPadWindowTest : public NoteWindowTest {
protected:
    std::int32_t tasksFiled() { return folderItems(outlook::olFolderTasks)->get("Count").asInt(); }
};

TEST_F(JotPadWindowTest, EveryComponentIsThereByItsName) {
    JotPadWindow& note = openNote();
    for (const char* name : {"pnlTitle",        "lblType",        "imgAppt",         "imgNote",
                             "imgTask",         "imgMail",        "imgTaskReq",      "imgMeetReq",
                             "imgMenu",         "imgLogo",        "btnClose",        "memoBody",
                             "pnlMailingLabel", "lblToRole",      "lblTo",           "lCc",
                             "lblCC",           "lstAttachments", "pnlFooter",       "btnSave",
                             "btnMail",         "btnAttach",      "btnContact",      "lblGoToDate",
                             "edGoToDate",      "btnGoToContact", "btnGoToCategory", "mnuType",
                             "mnuLogo"})
        EXPECT_NE(note.findChild<QWidget*>(name), nullptr) << name;
    for (const char* name :
         {"miAppointment", "miNote", "miTask", "miMail", "TaskRequest1", "MeetingRequest1",
          "miSave", "miCancel", "miShadow", "miNewJotPad", "miNewContact", "miOpenOutlook",
          "miKeywords", "miHelp", "miAbout", "miExit"})
        EXPECT_NE(note.findChild<QAction*>(name), nullptr) << name;
    ShadowWindow& shadow = note.shadowWindow();
    for (const char* name :
         {"lblDateTime",    "csDate",         "comboStart",   "lblHyphen",     "comboEnd",
          "lblContact",     "comboContact",   "btnAddress",   "lblCategory",   "comboCategory",
          "imgDateTimeOn",  "imgDateTimeOff", "imgContactOn", "imgContactOff", "imgCategoryOn",
          "imgCategoryOff", "btnBeside",      "btnBehind",    "Label1",        "edBackToMemo",
          "btnSave"})
        EXPECT_NE(shadow.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(jotwise::testing::clashingMnemonics(note), "");
    EXPECT_EQ(jotwise::testing::clashingMnemonics(shadow), "");
    EXPECT_EQ(jotwise::testing::clashingMnemonics(child<QMenu>(note, "mnuLogo")), "");
}

TEST_F(JotPadWindowTest, ANewNoteIsATaskWithOneTypeIconAndOneCheckedTypeItem) {
    JotPadWindow& note = openNote();
    EXPECT_EQ(typeShown(note), "Task");
    EXPECT_EQ(note.windowTitle(), "Task - Jotwise");
    int visibleIcons = 0;
    for (const char* name :
         {"imgAppt", "imgNote", "imgTask", "imgMail", "imgTaskReq", "imgMeetReq"})
        visibleIcons += child<QLabel>(note, name).isVisible() ? 1 : 0;
    EXPECT_EQ(visibleIcons, 1);
    EXPECT_TRUE(child<QLabel>(note, "imgTask").isVisible());
    EXPECT_TRUE(child<QAction>(note, "miTask").isChecked());
    EXPECT_EQ(note.minimumSize(), QSize(kMinimumWidth + 2, kMinimumHeight + 2));
    EXPECT_GE(note.width(), note.minimumWidth());
}

TEST_F(JotPadWindowTest, TypingASentenceShowsWhatWasUnderstood) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "lunch with ann tomorrow at noon");

    EXPECT_EQ(typeShown(note), "Appointment");
    EXPECT_EQ(note.windowTitle(), "Appointment - Jotwise");
    EXPECT_TRUE(child<QLabel>(note, "imgAppt").isVisible());
    EXPECT_FALSE(child<QLabel>(note, "imgTask").isVisible());
    EXPECT_TRUE(child<QAction>(note, "miAppointment").isChecked());
    EXPECT_EQ(shadowCombo(note, "comboStart").currentText(), "12:00pm");
    EXPECT_EQ(shadowCombo(note, "comboEnd").currentText(), "1:00pm");
    EXPECT_EQ(child<QLineEdit>(note.shadowWindow(), "csDate").text().toStdString(), todayPlus(1));
    EXPECT_EQ(note.logic().Shadow().SelectedContact(), annKey);
    EXPECT_EQ(shadowCombo(note, "comboContact").currentText(), "Lee, Ann");
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "imgDateTimeOn").isVisible());
    EXPECT_FALSE(child<QLabel>(note.shadowWindow(), "imgDateTimeOff").isVisible());
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "imgContactOn").isVisible());
    // What the logic shows in the shadow never comes back as the user's own choice.
    const TShadow& shadow = note.logic().Shadow();
    EXPECT_FALSE(shadow.startEdited || shadow.endEdited || shadow.dateEdited ||
                 shadow.contactChosen || shadow.categoryChosen);
}

TEST_F(JotPadWindowTest, CtrlSSavesWithoutTypingIntoTheMemo) {
    JotPadWindow& note = openNote();
    QPointer<JotPadWindow> alive(&note);
    QTest::keyClicks(&memo(note), "buy milk");
    QTest::keyClick(&memo(note), Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(child<QPlainTextEdit>(note, "memoBody").toPlainText(), "buy milk");
    EXPECT_EQ(tasksFiled(), 1);
    ASSERT_EQ(host.removed.size(), 1u);  // saved, so the note closed
    EXPECT_FALSE(note.isVisible());
    EXPECT_FALSE(note.shadowWindow().isVisible());
    settleDeletes();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(JotPadWindowTest, FunctionKeysForceTheTypeAndAreNotTyped) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "call bob");
    QTest::keyClick(&memo(note), Qt::Key_F3);
    EXPECT_EQ(typeShown(note), "Note");
    EXPECT_TRUE(child<QAction>(note, "miNote").isChecked());
    EXPECT_FALSE(child<QToolButton>(note, "btnAttach").isEnabled());
    QTest::keyClick(&memo(note), Qt::Key_F2);
    EXPECT_EQ(typeShown(note), "Appointment");
    EXPECT_EQ(child<QPlainTextEdit>(note, "memoBody").toPlainText(), "call bob");
}

TEST_F(JotPadWindowTest, KeysInTheShadowReachTheNote) {
    JotPadWindow& note = openNote();
    QTest::keyClick(&shadowCombo(note, "comboCategory"), Qt::Key_F3);
    EXPECT_EQ(typeShown(note), "Note");
    EXPECT_EQ(shadowCombo(note, "comboCategory").currentText(), "");
}

TEST_F(JotPadWindowTest, EscapeOnAnEmptyNoteClosesItOnce) {
    JotPadWindow& note = openNote();
    QPointer<JotPadWindow> alive(&note);
    QTest::keyClick(&memo(note), Qt::Key_Escape);
    ASSERT_EQ(host.removed.size(), 1u);
    EXPECT_FALSE(note.isVisible());
    settleDeletes();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(host.removed.size(), 1u);
    ASSERT_TRUE(settings.size.has_value());
}

TEST_F(JotPadWindowTest, TheWindowSystemsCloseAsksLikeTheCloseButtonAfterwards) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "buy milk");
    EXPECT_FALSE(note.close());  // refused now: the question comes once the event is over
    EXPECT_TRUE(note.isVisible());

    EXPECT_CALL(boxes, show(_, "Would you like to save this action note?",
                            platform::MessageIcon::Warning, platform::MessageButtons::YesNoCancel))
        .WillOnce(Return(platform::MessageAnswer::Cancel));
    QCoreApplication::processEvents();
    EXPECT_TRUE(note.isVisible());
    EXPECT_TRUE(host.removed.empty());
}

TEST_F(JotPadWindowTest, TheTypeMenuChangesTheTypeThroughTheNote) {
    JotPadWindow& note = openNote();
    QTest::mouseClick(&child<QLabel>(note, "imgMenu"), Qt::LeftButton);
    auto& menu = child<QMenu>(note, "mnuType");
    ASSERT_TRUE(menu.isVisible());
    // Escape closes the menu, not the note: the note does not preview its popups' keys.
    QTest::keyClick(&menu, Qt::Key_Escape);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(note.isVisible());
    EXPECT_TRUE(host.removed.empty());

    child<QAction>(note, "miNote").trigger();
    EXPECT_EQ(typeShown(note), "Note");
    child<QAction>(note, "miAppointment").trigger();
    EXPECT_EQ(typeShown(note), "Appointment");
    EXPECT_TRUE(child<QAction>(note, "miAppointment").isChecked());
    EXPECT_FALSE(child<QAction>(note, "miNote").isChecked());
}

TEST_F(JotPadWindowTest, TheLogoMenusCommandsReachTheProgram) {
    JotPadWindow& note = openNote();
    QTest::mouseClick(&child<QLabel>(note, "imgLogo"), Qt::LeftButton);
    auto& menu = child<QMenu>(note, "mnuLogo");
    EXPECT_TRUE(menu.isVisible());
    jotwise::testing::keepPicture(menu, "note_logo_menu.png");
    menu.hide();
    host.calls.clear();
    for (const char* item : {"miHelp", "miAbout", "miKeywords", "miOpenOutlook", "miNewContact",
                             "miNewJotPad", "miExit"})
        child<QAction>(note, item).trigger();
    QTest::keyClick(&memo(note), Qt::Key_F1);
    QTest::keyClick(&memo(note), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"help", "about", "keywords", "open outlook", "new contact",
                                        "new note", "exit", "help", "new contact, checked"}));
}

TEST_F(JotPadWindowTest, TheShadowItemOfTheLogoMenuMovesTheShadowBehindAndBack) {
    JotPadWindow& note = openNote();
    auto& item = child<QAction>(note, "miShadow");
    EXPECT_TRUE(item.text().startsWith("Move Shadow Behind"));
    item.trigger();
    EXPECT_TRUE(item.text().startsWith("Move Shadow To Side"));
    EXPECT_TRUE(note.logic().Shadow().Behind());
    QTest::keyClick(&memo(note), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(note.logic().Shadow().Behind());
    EXPECT_EQ(child<QPlainTextEdit>(note, "memoBody").toPlainText(), "");
}

TEST_F(JotPadWindowTest, AnAttachedFileGrowsTheWindowAndDeleteTakesItOffAgain) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "send the agenda");
    const int before = note.height();
    files.answers.push_back(makeFile("agenda.txt"));
    QTest::keyClick(&memo(note), Qt::Key_F, Qt::ControlModifier);

    auto& list = child<QListWidget>(note, "lstAttachments");
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), "agenda.txt");
    EXPECT_EQ(list.height(), note.attachmentListHeight());
    EXPECT_EQ(note.height(), before + note.attachmentListHeight());
    EXPECT_EQ(child<QPlainTextEdit>(note, "memoBody").toPlainText(), "send the agenda");

    list.setFocus();
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(note.height(), before);
}

TEST_F(JotPadWindowTest, DeleteWithoutASelectedFileKeepsIt) {
    JotPadWindow& note = openNote();
    files.answers.push_back(makeFile("agenda.txt"));
    QTest::mouseClick(&child<QToolButton>(note, "btnAttach"), Qt::LeftButton);
    auto& list = child<QListWidget>(note, "lstAttachments");
    ASSERT_EQ(list.count(), 1);
    list.clearSelection();
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(list.count(), 1);
}

TEST_F(JotPadWindowTest, AMailMessageShowsItsRecipientsAndKeepsTheMemosHeight) {
    JotPadWindow& note = openNote();
    const int memoHeight = memo(note).height();
    QTest::keyClicks(&memo(note), "fyi ann the budget is approved");

    EXPECT_EQ(typeShown(note), "Mail Message");
    auto& panel = child<QFrame>(note, "pnlMailingLabel");
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.height() + 2, note.mailingPanelHeight());  // the panel and a gap
    EXPECT_EQ(child<QLabel>(note, "lblToRole").text(), "To:");
    EXPECT_EQ(child<QLabel>(note, "lCc").text(), "Cc:");
    EXPECT_TRUE(child<QLabel>(note, "lblCC").isVisible());
    EXPECT_EQ(child<QLabel>(note, "lblTo").text(), "Ann Lee");
    EXPECT_EQ(memo(note).height(), memoHeight);
    EXPECT_EQ(child<QToolButton>(note, "btnSave").text(), "&Send");

    // A task request has no Cc line: the panel loses a row, the memo keeps its height.
    child<QAction>(note, "TaskRequest1").trigger();
    EXPECT_EQ(typeShown(note), "Task Request");
    EXPECT_FALSE(child<QLabel>(note, "lblCC").isVisible());
    EXPECT_EQ(panel.height() + 2, note.mailingPanelHeight());
    EXPECT_EQ(memo(note).height(), memoHeight);
}

TEST_F(JotPadWindowTest, TheShadowSitsBesideTheNoteOrBehindIt) {
    JotPadWindow& note = openNote();
    ShadowWindow& shadow = note.shadowWindow();
    EXPECT_TRUE(shadow.isVisible());
    EXPECT_EQ(shadow.frameGeometry().left(), note.frame().right() + 2);
    EXPECT_EQ(shadow.frameGeometry().top(), note.frame().top);
    EXPECT_TRUE(child<QToolButton>(shadow, "btnBehind").isVisible());
    EXPECT_FALSE(child<QToolButton>(shadow, "btnBeside").isVisible());

    QTest::mouseClick(&child<QToolButton>(shadow, "btnBehind"), Qt::LeftButton);
    EXPECT_EQ(shadow.frameGeometry().left(), note.frame().right() - (shadow.imageColumnLeft() + 1));
    EXPECT_EQ(shadow.frameGeometry().top(), note.frame().bottom() - shadow.height());
    EXPECT_TRUE(child<QToolButton>(shadow, "btnBeside").isVisible());
    EXPECT_FALSE(child<QToolButton>(shadow, "btnBehind").isVisible());

    // The note moved: its shadow follows.
    note.move(note.x() + 30, note.y() + 20);
    EXPECT_EQ(shadow.frameGeometry().left(), note.frame().right() - (shadow.imageColumnLeft() + 1));

    QTest::mouseClick(&child<QToolButton>(shadow, "btnBeside"), Qt::LeftButton);
    EXPECT_EQ(shadow.frameGeometry().left(), note.frame().right() + 2);
}

TEST_F(JotPadWindowTest, TheAcceleratorsOutsideTheWindowMoveToTheShadow) {
    JotPadWindow& note = openNote();
    child<QLineEdit>(note, "edGoToDate").setFocus(Qt::ShortcutFocusReason);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note.shadowWindow()));
    EXPECT_EQ(QApplication::focusWidget(), &child<QWidget>(note.shadowWindow(), "csDate"));

    child<QLineEdit>(note.shadowWindow(), "edBackToMemo").setFocus(Qt::ShortcutFocusReason);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note));
    EXPECT_EQ(QApplication::focusWidget(), &memo(note));

    child<QPushButton>(note, "btnGoToCategory").click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note.shadowWindow()));
    EXPECT_EQ(QApplication::focusWidget(), &shadowCombo(note, "comboCategory"));
}

}  // namespace
}  // namespace notes::ui::testing
