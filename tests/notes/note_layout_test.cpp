#include "notes/note_layout.h"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(NoteLayout, TheSizingGripTakesTheFootersRightCornerAndTheSaveButtonMovesLeft) {
    NoteLayoutInput input;
    input.width = 300;
    input.saveButtonWidth = 50;
    const NoteLayout without = LayOutNote(input);
    EXPECT_EQ(without.saveButton, (Rect{249, 1, 50, kFooterHeight - 2}));
    EXPECT_EQ(without.grip.width, 0);

    input.gripWidth = 12;
    const NoteLayout with = LayOutNote(input);
    EXPECT_EQ(with.saveButton, (Rect{237, 1, 50, kFooterHeight - 2}));
    EXPECT_EQ(with.grip, (Rect{288, kFooterHeight - 12, 12, 12}));
    EXPECT_LE(with.saveButton.right(), with.grip.left);
}

TEST(NoteLayout, ThePanelsBelowAndAboveTheMemoRaiseTheMinimumHeight) {
    NoteLayoutInput input;
    input.height = 300;
    input.mailingVisible = true;
    input.mailingHeight = 37;
    input.mailingBorder = 2;
    input.attachmentsVisible = true;
    input.attachmentsHeight = 53;
    const NoteLayout layout = LayOutNote(input);
    EXPECT_EQ(layout.minimumHeight, kMinimumHeight + 37 + 53);
    EXPECT_EQ(layout.memo.top, layout.mailing.bottom() + 2);
    EXPECT_EQ(layout.memo.bottom(), layout.attachments.top);
    EXPECT_EQ(layout.attachments.bottom(), layout.footer.top);
    EXPECT_EQ(layout.mailing.left, 2);
    EXPECT_EQ(layout.mailing.right(), input.width - 2);
}

TEST(NoteLayout, ALargerFontGrowsTheBarsAndMakesRoomForTheLongestTypeName) {
    const NoteLayout standard = LayOutNote({});
    EXPECT_EQ(standard.minimumWidth, kMinimumWidth);
    EXPECT_EQ(standard.title.height, kTitleHeight);
    EXPECT_EQ(standard.footer.height, kFooterHeight);

    NoteLayoutInput input;
    input.titleHeight = 25;
    input.footerHeight = 27;
    input.typeLabelWidth = 210;
    input.width = 400;
    input.height = 300;
    const NoteLayout large = LayOutNote(input);
    EXPECT_EQ(large.title.height, 25);
    EXPECT_EQ(large.footer, (Rect{0, 273, 400, 27}));
    EXPECT_EQ(large.saveButton.height, 25);
    EXPECT_EQ(large.memo.top, 27);
    EXPECT_EQ(large.memo.bottom(), 273);
    EXPECT_EQ(large.minimumHeight, kMinimumHeight + 8 + 8) << "the memo keeps its least height";
    // The close button and logo stay their size, centred on the taller bar.
    EXPECT_EQ(large.logo.top + large.logo.height / 2, 25 / 2);

    // At its least width the note still gives the type's name all it needs.
    input.width = large.minimumWidth;
    const NoteLayout narrowest = LayOutNote(input);
    EXPECT_EQ(narrowest.typeLabel.width, 210);
    EXPECT_LE(narrowest.typeLabel.right(), narrowest.logo.left);
}

}  // namespace
}  // namespace notes
