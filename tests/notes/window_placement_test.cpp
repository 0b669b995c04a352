// Where the shadow goes beside or behind its note, and how a note is kept on its screen.
#include "notes/window_placement.h"

#include <gtest/gtest.h>

namespace notes {
namespace {

constexpr Rect kScreen{0, 0, 1920, 1040};
constexpr ShadowSize kShadow{182, 145, 144};
// The part of the shadow that shows beyond a note it sits behind.
constexpr int kStrip = 182 - 145;

bool inside(const Rect& r, const Rect& area) {
    return r.left >= area.left && r.top >= area.top && r.right() <= area.right() &&
           r.bottom() <= area.bottom();
}

TEST(ShadowPlacement, WithRoomOnTheRightTheShadowSitsThere) {
    const Rect note{600, 300, 194, 182};
    EXPECT_EQ(PlaceShadow(note, kShadow, false, kScreen), (Rect{796, 300, 182, 145}));
    EXPECT_EQ(PlaceShadow(note, kShadow, true, kScreen), (Rect{794 - 145, 337, 182, 145}));
}

TEST(ShadowPlacement, AtTheRightEdgeTheShadowGoesLeftOfTheNote) {
    const Rect note{1710, 300, 194, 182};  // 16 pixels left of the edge
    const Rect beside = PlaceShadow(note, kShadow, false, kScreen);
    EXPECT_EQ(beside, (Rect{1710 - 2 - 182, 300, 182, 145}));

    // Behind, mirrored: the strip that showed on the right now shows on the left.
    const Rect behind = PlaceShadow(note, kShadow, true, kScreen);
    EXPECT_EQ(behind, (Rect{1710 - kStrip, 337, 182, 145}));

    // On a second screen to the right of the first, its own right edge counts.
    const Rect second{1920, 0, 1280, 984};
    const Rect there = PlaceShadow({3000, 100, 194, 182}, kShadow, false, second);
    EXPECT_EQ(there.left, 3000 - 2 - 182);
    EXPECT_TRUE(inside(there, second));
}

TEST(ShadowPlacement, AtTheLeftEdgeWithNoRoomOnEitherSideTheShadowStaysOnTheScreen) {
    // A note nearly as wide as the screen: the shadow cannot fit on either side.
    const Rect wide{0, 300, 1900, 182};
    for (const bool behind : {false, true}) {
        const Rect shadow = PlaceShadow(wide, kShadow, behind, kScreen);
        EXPECT_TRUE(inside(shadow, kScreen)) << behind;
        EXPECT_EQ(shadow.right(), kScreen.right()) << behind;
    }
    // A note partly off the left edge keeps its shadow on the right, where there is room.
    EXPECT_EQ(PlaceShadow({-50, 300, 194, 182}, kShadow, false, kScreen).left, 146);
}

TEST(ShadowPlacement, AtTheTopAndBottomEdgesTheShadowMovesOntoTheScreen) {
    // Beside a note that starts above the screen, the shadow starts at the screen's top.
    EXPECT_EQ(PlaceShadow({600, -40, 194, 182}, kShadow, false, kScreen).top, 0);
    // Beside a note near the bottom, the shadow's bottom is the screen's.
    EXPECT_EQ(PlaceShadow({600, 1000, 194, 182}, kShadow, false, kScreen).bottom(), 1040);
    // Behind a note that reaches below the screen, likewise.
    EXPECT_EQ(PlaceShadow({600, 950, 194, 182}, kShadow, true, kScreen).bottom(), 1040);
    // Behind a short note at the top: the shadow is taller than the note and would go above.
    EXPECT_EQ(PlaceShadow({600, 0, 194, 100}, kShadow, true, kScreen).top, 0);
}

TEST(ShadowPlacement, WithoutAKnownScreenTheShadowGoesWhereTheNoteSays) {
    EXPECT_EQ(PlaceShadow({1900, 300, 194, 182}, kShadow, false, Rect{}),
              (Rect{2096, 300, 182, 145}));
}

TEST(NoteKeptInside, APositionOffTheScreenComesBackWithRoomForTheShadow) {
    const Rect kept = KeepInside({3000, 2000, 194, 182}, kScreen, 184, 194, 182);
    EXPECT_EQ(kept, (Rect{1920 - 194 - 184, 1040 - 182, 194, 182}));
    EXPECT_EQ(KeepInside({-300, -20, 194, 182}, kScreen, 184, 194, 182), (Rect{0, 0, 194, 182}));
}

TEST(NoteKeptInside, ANoteLargerThanTheScreenShrinksToItButNotBelowItsMinimum) {
    const Rect small{0, 0, 800, 600};
    EXPECT_EQ(KeepInside({100, 100, 1200, 900}, small, 0, 194, 182), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(KeepInside({100, 100, 1200, 900}, {0, 0, 150, 100}, 0, 194, 182),
              (Rect{0, 0, 194, 182}));
    EXPECT_EQ(KeepInside({100, 100, 300, 200}, Rect{}, 0, 194, 182), (Rect{100, 100, 300, 200}));
}

}  // namespace
}  // namespace notes
