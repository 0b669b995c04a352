#pragma once

#include "notes/note_geometry.h"

namespace notes {

// The shadow's size, and how far from its left edge the column of images starts that shows
// beyond the note while the shadow sits behind it.
struct ShadowSize {
    int width = 0, height = 0;
    int imageColumnLeft = 0;
};

// Where the shadow goes for its note's frame. Beside: two pixels right of the note, tops
// aligned. Behind: under the note with only the image column showing beyond its right edge,
// bottoms aligned. When that does not fit the work area on the note's right, the shadow goes
// to the note's left, mirrored; either way it ends wholly inside the work area. An empty work
// area (no screen known) leaves the shadow where the note puts it.
Rect PlaceShadow(const Rect& note, const ShadowSize& shadow, bool behind, const Rect& work);

// Moves a frame (and shrinks it, down to the minimum size) so that it lies wholly inside the
// work area, with `reserveRight` pixels to spare on its right for what shows beside it.
Rect KeepInside(Rect frame, const Rect& work, int reserveRight, int minimumWidth,
                int minimumHeight);

}  // namespace notes
