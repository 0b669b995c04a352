// The note without the mouse: its menus open from the keyboard, Tab reaches its buttons, and an
// empty note shows what to type.
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

#include "tests/notes/ui/note_window_fixture.h"
#include "tests/support/pictures.h"
#include "tests/support/text_fits.h"

namespace notes::ui::testing {
namespace {

using NoteKeyboard = NoteWindowTest;

QString memoText(JotPadWindow& note) {
    return child<QPlainTextEdit>(note, "memoBody").toPlainText();
}

TEST_F(NoteKeyboard, AltTOpensTheTypeMenuAtTheNotesTypeAndTypesNothing) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "call bob");
    QTest::keyClick(&memo(note), Qt::Key_T, Qt::AltModifier);
    auto& menu = child<QMenu>(note, "mnuType");
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.activeAction(), &child<QAction>(note, "miTask"));
    QTest::keyClick(&menu, Qt::Key_Up);
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(typeShown(note), "Note");
    EXPECT_EQ(memoText(note), "call bob");
}

TEST_F(NoteKeyboard, AltJAndTheMenuKeyOpenTheLogoMenuBelowTheLogo) {
    JotPadWindow& note = openNote();
    auto& menu = child<QMenu>(note, "mnuLogo");
    const QWidget& logo = child<QWidget>(note, "imgLogo");
    const QWidget& title = child<QWidget>(note, "pnlTitle");
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_J, Qt::AltModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
        QTest::keyClick(&memo(note), key, modifiers);
        ASSERT_TRUE(menu.isVisible()) << key;
        EXPECT_EQ(menu.pos(), title.mapToGlobal(QPoint(logo.x(), title.height()))) << key;
        QTest::keyClick(&menu, Qt::Key_Escape);
        EXPECT_FALSE(menu.isVisible());
    }
    EXPECT_TRUE(note.isVisible()) << "Escape closed the menu, not the note";
    EXPECT_EQ(memoText(note), "");
}

TEST_F(NoteKeyboard, InTheShadowAltTStillGoesBackToTheText) {
    JotPadWindow& note = openNote();
    QTest::keyClick(&memo(note), Qt::Key_D, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note.shadowWindow()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note));
    EXPECT_EQ(QApplication::focusWidget(), &memo(note));
    EXPECT_FALSE(child<QMenu>(note, "mnuType").isVisible());
}

TEST_F(NoteKeyboard, TabReachesTheFooterButtonsAndARingShowsWhichHasTheFocus) {
    JotPadWindow& note = openNote();
    auto& mail = child<QToolButton>(note, "btnMail");
    const QImage plain = mail.grab().toImage();
    QTest::keyClick(&memo(note), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &mail);
    const QImage focused = mail.grab().toImage();
    // The ring is drawn in the highlight colour, on the button's edge.
    const QRgb highlight = mail.palette().color(QPalette::Highlight).rgb();
    const auto ringPixels = [&](const QImage& image) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            for (int y : {1, image.height() - 2})
                count += image.pixel(x, y) == highlight ? 1 : 0;
        return count;
    };
    EXPECT_EQ(ringPixels(plain), 0);
    EXPECT_GT(ringPixels(focused), mail.width() / 2);
    jotwise::testing::keepPicture(child<QWidget>(note, "pnlFooter"), "footer_focus_ring.png");

    QTest::keyClick(&mail, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &child<QToolButton>(note, "btnAttach"));
    // A click leaves the focus where the user types.
    QTest::mouseClick(&child<QToolButton>(note, "btnContact"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), &memo(note));
}

TEST_F(NoteKeyboard, AnEmptyNoteShowsAnExampleSentenceReadableInTheDark) {
    const jotwise::testing::DarkPalette dark;
    JotPadWindow& note = openNote();
    auto& text = child<QPlainTextEdit>(note, "memoBody");
    EXPECT_EQ(text.placeholderText(), "lunch with Ann tomorrow at noon");
    // Many pixels far lighter than the dark background: the sentence, not just the cursor.
    const QImage picture = text.viewport()->grab().toImage();
    const int background = qGray(text.palette().color(QPalette::Base).rgb());
    int light = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            light += qGray(picture.pixel(x, y)) - background > 60 ? 1 : 0;
    EXPECT_GT(light, 100);
}

}  // namespace
}  // namespace notes::ui::testing
