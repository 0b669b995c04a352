// The note and its shadow at the font sizes people use: every text can be read whole, and the
// shadow's text is as large as the note's.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <string>

#include "tests/notes/ui/note_window_fixture.h"
#include "tests/support/pictures.h"
#include "tests/support/text_fits.h"

namespace notes::ui::testing {
namespace {

using jotwise::testing::ApplicationFontSize;
using jotwise::testing::clippedTexts;
using jotwise::testing::DarkPalette;
using ::testing::IsEmpty;

class NoteFonts : public NoteWindowTest, public ::testing::WithParamInterface<int> {
protected:
    // Checks both windows as the note stands, and keeps a picture of it.
    void expectEverythingFits(JotPadWindow& note, const std::string& what) {
        QCoreApplication::processEvents();
        EXPECT_THAT(clippedTexts(note), IsEmpty()) << what;
        EXPECT_THAT(clippedTexts(note.shadowWindow()), IsEmpty()) << what;
        // The date box is no label: its text must show whole, not scrolled under its button.
        auto& date = child<QLineEdit>(note.shadowWindow(), "csDate");
        date.end(false);
        EXPECT_EQ(date.cursorPositionAt(QPoint(5, date.height() / 2)), 0) << what;
        jotwise::testing::keepPicture(
            noteAndShadowPicture(note),
            "fonts_" + std::to_string(GetParam()) + "pt_" + what + ".png");
    }

    void retype(JotPadWindow& note, const char* text) {
        child<QPlainTextEdit>(note, "memoBody").clear();
        QTest::keyClicks(&memo(note), text);
    }
};

TEST_P(NoteFonts, EveryTypeOfNoteAndItsShadowShowTheirTextsWhole) {
    const ApplicationFontSize size(GetParam());
    {
        JotPadWindow& note = openNote();
        expectEverythingFits(note, "task_empty");
        QTest::keyClicks(&memo(note), "note the door code is 4711");
        QTest::keyClick(&memo(note), Qt::Key_F3);
        ASSERT_EQ(typeShown(note), "Note");
        expectEverythingFits(note, "note");
    }
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "lunch with ann next thursday at noon #work");
    ASSERT_EQ(typeShown(note), "Appointment");
    expectEverythingFits(note, "appointment");

    // A repeat adds its line under the date, and dropping it takes the line away again.
    retype(note, "team meeting the first monday of every month at 10am");
    auto& repeat = child<QLabel>(note.shadowWindow(), "lblRepeat");
    EXPECT_EQ(repeat.text().toStdString(), "monthly on the first Monday");
    expectEverythingFits(note, "repeating_appointment");
    auto& drop = child<QToolButton>(note.shadowWindow(), "btnDropRepeat");
    ASSERT_TRUE(drop.isVisible());
    drop.click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(repeat.isVisible());
    EXPECT_FALSE(drop.isVisible());

    retype(note, "fyi ann the budget for the spring fair is approved");
    ASSERT_EQ(typeShown(note), "Mail Message");
    expectEverythingFits(note, "mail_message");

    retype(note, "please ann send the budget figures by friday");
    ASSERT_EQ(typeShown(note), "Task Request");
    expectEverythingFits(note, "task_request");

    // With a recipient, the type menu makes it a meeting request without asking for one.
    child<QAction>(note, "MeetingRequest1").trigger();
    ASSERT_EQ(typeShown(note), "Meeting Request");
    expectEverythingFits(note, "meeting_request");
}

TEST_P(NoteFonts, TheShadowUsesTheNotesFontAndGrowsWithIt) {
    QSize atNine;
    {
        const ApplicationFontSize nine(9);
        atNine = openNote().shadowWindow().size();
    }
    const ApplicationFontSize size(GetParam());
    JotPadWindow& note = openNote();
    ShadowWindow& shadow = note.shadowWindow();
    EXPECT_EQ(shadow.font().pointSize(), GetParam());
    EXPECT_EQ(shadowCombo(note, "comboStart").font().pointSize(), GetParam());
    EXPECT_EQ(shadow.font().pointSize(), note.font().pointSize());
    if (GetParam() > 9) {
        EXPECT_GT(shadow.width(), atNine.width());
        EXPECT_GT(shadow.height(), atNine.height());
    }
    // Behind its note, the shadow still shows its images, and only them.
    EXPECT_EQ(shadow.width() - shadow.imageColumnLeft(),
              child<QWidget>(shadow, "imgDateTimeOn").width() + 6);
}

INSTANTIATE_TEST_SUITE_P(Points, NoteFonts, ::testing::Values(9, 11, 14),
                         [](const auto& info) { return std::to_string(info.param) + "pt"; });

TEST_F(NoteWindowTest, InADarkPaletteTheNoteAndItsShadowStayReadable) {
    const DarkPalette dark;
    JotPadWindow& note = openNote();
    jotwise::testing::keepPicture(noteAndShadowPicture(note), "fonts_dark_empty.png");
    QTest::keyClicks(&memo(note), "please ann send the budget figures by friday");
    child<QAction>(note, "MeetingRequest1").trigger();
    ASSERT_EQ(typeShown(note), "Meeting Request");
    QCoreApplication::processEvents();
    EXPECT_THAT(clippedTexts(note), IsEmpty());
    EXPECT_THAT(clippedTexts(note.shadowWindow()), IsEmpty());
    jotwise::testing::keepPicture(noteAndShadowPicture(note), "fonts_dark_meeting_request.png");

    child<QPlainTextEdit>(note, "memoBody").clear();
    QTest::keyClicks(&memo(note), "every other tuesday call the bank at 9am");
    QCoreApplication::processEvents();
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "lblRepeat").isVisible());
    EXPECT_THAT(clippedTexts(note.shadowWindow()), IsEmpty());
    jotwise::testing::keepPicture(noteAndShadowPicture(note), "fonts_dark_repeat.png");
}

}  // namespace
}  // namespace notes::ui::testing
