#include "notes/window_placement.h"

#include <algorithm>

namespace notes {
namespace {

bool empty(const Rect& area) {
    return area.width <= 0 || area.height <= 0;
}

// The nearest position from `low` to `high` for a span starting at `at`; the low end wins
// when the span is longer than the room.
int clamped(int at, int low, int high) {
    return std::max(low, std::min(at, high));
}

}  // namespace

Rect PlaceShadow(const Rect& note, const ShadowSize& shadow, bool behind, const Rect& work) {
    // What of the shadow lies beyond the note's edge, on whichever side it goes.
    const int beyond = behind ? shadow.width - (shadow.imageColumnLeft + 1) : shadow.width + 2;
    const int onRight = note.right() + beyond - shadow.width;
    const int onLeft = note.left - beyond;
    const int top = behind ? note.bottom() - shadow.height : note.top;
    Rect placed{onRight, top, shadow.width, shadow.height};
    if (empty(work)) return placed;

    if (placed.right() > work.right() && onLeft >= work.left) placed.left = onLeft;
    placed.left = clamped(placed.left, work.left, work.right() - shadow.width);
    placed.top = clamped(placed.top, work.top, work.bottom() - shadow.height);
    return placed;
}

Rect KeepInside(Rect frame, const Rect& work, int reserveRight, int minimumWidth,
                int minimumHeight) {
    if (empty(work)) return frame;
    frame.width = std::max(minimumWidth, std::min(frame.width, work.width));
    frame.height = std::max(minimumHeight, std::min(frame.height, work.height));
    frame.left = clamped(frame.left, work.left, work.right() - frame.width - reserveRight);
    frame.top = clamped(frame.top, work.top, work.bottom() - frame.height);
    return frame;
}

}  // namespace notes
