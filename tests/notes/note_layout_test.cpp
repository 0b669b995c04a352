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

}  // namespace
}  // namespace notes
