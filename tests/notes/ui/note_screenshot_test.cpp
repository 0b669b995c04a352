// Pictures of the note and its shadow, kept in the test's working folder for a person to
// look at: under Xvfb when the tests run on a display, else as the offscreen platform draws.
#include <QListWidget>
#include <QPlainTextEdit>

#include "tests/notes/ui/note_window_fixture.h"
#include "tests/support/pictures.h"

namespace notes::ui::testing {
namespace {

class NoteScreenshot : public NoteWindowTest {
protected:
    static QImage picture(JotPadWindow& note) { return noteAndShadowPicture(note); }
    void keep(const QImage& image, const char* file) { jotwise::testing::keepPicture(image, file); }
};

TEST_F(NoteScreenshot, AnAppointmentWithItsShadowBeside) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "lunch with ann tomorrow at noon #work");
    ASSERT_EQ(typeShown(note), "Appointment");
    keep(picture(note), "note_and_shadow.png");

    // The user works in the shadow: the note's title bar steps back.
    note.shadowWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note.shadowWindow()));
    keep(picture(note), "note_inactive_beside_active_shadow.png");
}

TEST_F(NoteScreenshot, AMailMessageWithItsRecipientsAndAFileSentAlong) {
    addContact("Bob", "Stone", "", "bob@example.com");
    settle();
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "fyi ann the budget for the spring fair is approved");
    files.answers.push_back(makeFile("budget-2026.ods"));
    QTest::keyClick(&memo(note), Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(typeShown(note), "Mail Message");
    keep(picture(note), "note_mail_message.png");
}

TEST_F(NoteScreenshot, ANoteAndATaskWithAnAttachedFile) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "print the agenda for the board meeting");
    files.answers.push_back(makeFile("board-agenda.txt"));
    QTest::keyClick(&memo(note), Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(child<QListWidget>(note, "lstAttachments").count(), 1);
    keep(picture(note), "task_with_attachment.png");

    // A note keeps no files: its list and its attach button go while it is a Note.
    QTest::keyClick(&memo(note), Qt::Key_F3);
    ASSERT_EQ(typeShown(note), "Note");
    keep(picture(note), "note_type_with_attachment.png");

    QTest::keyClick(&memo(note), Qt::Key_W, Qt::ControlModifier);
    keep(picture(note), "note_with_shadow_behind.png");
}

}  // namespace
}  // namespace notes::ui::testing
