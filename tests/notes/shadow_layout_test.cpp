#include "notes/shadow_layout.h"

#include <gtest/gtest.h>

namespace notes {
namespace {

bool within(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

TEST(ShadowLayout, TextThatFitsTheDefaultSizesKeepsTheShadowAt182By145) {
    ShadowLayoutInput input;
    input.timeFieldWidth = 60;
    input.dateFieldWidth = 100;
    input.weekdayWidth = 28;
    input.labelWidth = 66;
    const ShadowLayout layout = LayOutShadow(input);
    EXPECT_EQ(layout.width, 182);
    EXPECT_EQ(layout.height, 145);
    EXPECT_EQ(layout.imageColumnLeft, 144);
    EXPECT_EQ(layout.dateTimeLabel, (Rect{4, 3, 138, 15}));
    EXPECT_EQ(layout.date, (Rect{4, 18, 138 - 28 - 4, 21}));
    EXPECT_EQ(layout.weekday, (Rect{142 - 28, 18, 28, 21}));
    EXPECT_EQ(layout.start, (Rect{4, 41, 65, 21}));
    EXPECT_EQ(layout.end, (Rect{77, 41, 65, 21}));
    EXPECT_EQ(layout.contact.top, 80);
    EXPECT_EQ(layout.category, (Rect{4, 119, 138, 21}));
    EXPECT_EQ(layout.dateTimeImage, (Rect{146, 24, 32, 32}));
    EXPECT_EQ(layout.placementButton, (Rect{163, 2, 16, 16}));
}

// The repeat's line goes between the date and the times and makes the shadow one line taller;
// words wider than the fields widen them, so that the line is never cut.
TEST(ShadowLayout, TheRepeatLineSitsUnderTheDateAndIsShownWhole) {
    ShadowLayoutInput input;
    input.timeFieldWidth = 60;
    input.dateFieldWidth = 100;
    input.weekdayWidth = 28;
    const ShadowLayout without = LayOutShadow(input);
    input.repeatWidth = 90;
    const ShadowLayout with = LayOutShadow(input);
    EXPECT_EQ(with.width, without.width);
    EXPECT_EQ(with.height, without.height + 15 + 2);
    EXPECT_EQ(with.repeat, (Rect{4, 41, 138 - 4 - 15, 15}));
    EXPECT_EQ(with.dropRepeat, (Rect{142 - 15, 41, 15, 15}));
    EXPECT_EQ(with.start.top, with.repeat.bottom() + 2);
    EXPECT_LE(with.end.bottom(), with.contactLabel.top);
    EXPECT_LE(with.dateTimeImage.bottom(), with.contactImage.top);

    input.repeatWidth = 200;
    const ShadowLayout wide = LayOutShadow(input);
    EXPECT_GE(wide.repeat.width, 200);
    EXPECT_LT(wide.repeat.right(), wide.dropRepeat.left);
    EXPECT_LT(wide.dropRepeat.right(), wide.imageColumnLeft);
}

TEST(ShadowLayout, LargerTextWidensTheFieldsAndDeepensTheRowsWithoutOverlaps) {
    ShadowLayoutInput input;
    input.labelHeight = 22;
    input.fieldHeight = 29;
    input.timeFieldWidth = 100;
    input.dateFieldWidth = 140;
    input.weekdayWidth = 43;
    input.labelWidth = 110;
    const ShadowLayout layout = LayOutShadow(input);
    EXPECT_EQ(layout.start.width, 100);
    EXPECT_EQ(layout.end.width, 100);
    EXPECT_GE(layout.date.width, 140);
    EXPECT_EQ(layout.weekday.width, 43);
    EXPECT_LT(layout.date.right(), layout.weekday.left);
    EXPECT_LE(layout.start.right(), layout.hyphen.left);
    EXPECT_LE(layout.hyphen.right(), layout.end.left);
    EXPECT_EQ(layout.contactLabel.height, 22);
    EXPECT_EQ(layout.category.height, 29);
    EXPECT_LT(layout.contact.right(), layout.address.left);

    // Row under row, every part inside the window, the fields left of the image column.
    const Rect window{0, 0, layout.width, layout.height};
    const Rect rows[] = {layout.dateTimeLabel, layout.date,    layout.start,
                         layout.contactLabel,  layout.contact, layout.categoryLabel,
                         layout.category};
    for (std::size_t i = 1; i < std::size(rows); ++i)
        EXPECT_LE(rows[i - 1].bottom(), rows[i].top) << i;
    for (const Rect& part : rows) {
        EXPECT_TRUE(within(part, window));
        EXPECT_LT(part.right(), layout.imageColumnLeft);
    }
    for (const Rect& image : {layout.dateTimeImage, layout.contactImage, layout.categoryImage}) {
        EXPECT_TRUE(within(image, window));
        EXPECT_GT(image.left, layout.imageColumnLeft);
    }
    EXPECT_EQ(layout.width - layout.imageColumnLeft, 182 - 144) << "the same strip shows behind";
}

}  // namespace
}  // namespace notes
