// Where a new note opens.
#include <algorithm>

#include "notes/jotpad.h"
#include "notes/note_layout.h"
#include "notes/note_settings.h"

namespace notes {

void TJotPad::PlaceNew(std::optional<std::pair<int, int>> at) {
    const Rect work = view_.workArea();
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
        frame.left = work.left + (work.width - frame.width) / 2;
        frame.top = work.top + (work.height - frame.height) / 2;
    }

    // The note and the part of its shadow that shows beyond it stay inside the work area,
    // whatever was stored: a position on a screen since removed must not hide the note.
    const ShadowView& shadow = shadow_->View();
    const int shadowBeyond =
        shadow_->Behind() ? shadow.width() - shadow.imageColumnLeft() - 1 : shadow.width() + 2;
    frame.left =
        std::max(work.left, std::min(frame.left, work.right() - frame.width - shadowBeyond));
    frame.top = std::max(work.top, std::min(frame.top, work.bottom() - frame.height));
    view_.setFrame(frame);
    shadow_->Place();
}

}  // namespace notes
