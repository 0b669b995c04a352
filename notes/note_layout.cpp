#include "notes/note_layout.h"

#include <algorithm>

namespace notes {

NoteLayout LayOutNote(const NoteLayoutInput& in) {
    NoteLayout out;
    const int w = in.width, h = in.height;

    out.title = {0, 0, w, kTitleHeight};
    out.closeButton = {w - 2 - in.closeButtonWidth, 1, in.closeButtonWidth, kTitleHeight - 2};
    out.logo = {out.closeButton.left - 4 - in.logoWidth, 1, in.logoWidth, kTitleHeight - 2};
    out.typeLabel = {2, 0, std::max(0, out.logo.left - 2), kTitleHeight};

    out.footer = {0, h - kFooterHeight, w, kFooterHeight};
    out.saveButton = {w - 1 - in.gripWidth - in.saveButtonWidth, 1, in.saveButtonWidth,
                      kFooterHeight - 2};
    out.grip = {w - in.gripWidth, kFooterHeight - std::min(in.gripWidth, kFooterHeight),
                in.gripWidth, std::min(in.gripWidth, kFooterHeight)};

    int memoTop = kTitleHeight + 2;
    if (in.mailingVisible) {
        out.mailing = {in.mailingBorder, kTitleHeight + 2, std::max(0, w - 2 * in.mailingBorder),
                       in.mailingHeight};
        memoTop = out.mailing.bottom() + 2;
    }
    int memoBottom = out.footer.top;
    if (in.attachmentsVisible) {
        out.attachments = {0, out.footer.top - in.attachmentsHeight, std::max(0, w - 7),
                           in.attachmentsHeight};
        memoBottom = out.attachments.top;
    }
    out.memo = {0, memoTop, w, std::max(0, memoBottom - memoTop)};

    out.minimumHeight = kMinimumHeight + (in.mailingVisible ? in.mailingHeight : 0) +
                        (in.attachmentsVisible ? in.attachmentsHeight : 0);
    return out;
}

}  // namespace notes
