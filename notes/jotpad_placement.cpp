// Where a new note opens.
#include <algorithm>

#include "notes/jotpad.h"
#include "notes/note_layout.h"
#include "notes/note_settings.h"
#include "notes/window_placement.h"

namespace notes {

void TJotPad::PlaceNew(std::optional<std::pair<int, int>> at) {
    Rect frame{0, 0, kMinimumWidth, kMinimumHeight};
    if (int width = 0, height = 0; context_.settings.ReadSize(width, height)) {
        frame.width = std::max(width, kMinimumWidth);
        frame.height = std::max(height, kMinimumHeight);
    }
    if (at) {
        frame.left = at->first;
        frame.top = at->second;
    } else if (int left = 0, top = 0; context_.settings.ReadPosition(left, top)) {
        frame.left = left;
        frame.top = top;
    } else {
        const Rect work = view_.workArea();
        frame.left = work.left + (work.width - frame.width) / 2;
        frame.top = work.top + (work.height - frame.height) / 2;
    }

    // The note and the part of its shadow that shows beyond it stay inside the work area of
    // the screen the note lands on, whatever was stored: a position on a screen since removed
    // must not hide the note.
    const Rect work = view_.workAreaAt(frame.centreX(), frame.centreY());
    const ShadowView& shadow = shadow_->View();
    const int shadowBeyond =
        shadow_->Behind() ? shadow.width() - shadow.imageColumnLeft() - 1 : shadow.width() + 2;
    const auto kept = [&](const Rect& wanted) {
        return KeepInside(wanted, work, shadowBeyond, kMinimumWidth, kMinimumHeight);
    };
    view_.setFrame(kept(frame));
    // The window may have grown to a minimum size of its own, larger at a larger font.
    if (const Rect shown = view_.frame(); kept(shown) != shown) view_.setFrame(kept(shown));
    shadow_->Place();
}

}  // namespace notes
