#include "notes/note_layout.h"

#include <algorithm>

namespace notes {

NoteLayout LayOutNote(const NoteLayoutInput& in) {
    NoteLayout out;
    const int w = in.width, h = in.height;
    const int titleHeight = std::max(in.titleHeight, kTitleHeight);
    const int footerHeight = std::max(in.footerHeight, kFooterHeight);

    // The marks at the title's right end keep their size; the type takes the rest.
    const int titleMarks = 2 + in.closeButtonWidth + 4 + in.logoWidth;
    const int marksTop = (titleHeight - kTitleHeight) / 2 + 1;
    out.title = {0, 0, w, titleHeight};
    out.closeButton = {w - 2 - in.closeButtonWidth, marksTop, in.closeButtonWidth,
                       kTitleHeight - 2};
    out.logo = {out.closeButton.left - 4 - in.logoWidth, marksTop, in.logoWidth, kTitleHeight - 2};
    out.typeLabel = {2, 0, std::max(0, out.logo.left - 2), titleHeight};

    out.footer = {0, h - footerHeight, w, footerHeight};
    out.saveButton = {w - 1 - in.gripWidth - in.saveButtonWidth, 1, in.saveButtonWidth,
                      footerHeight - 2};
    out.grip = {w - in.gripWidth, footerHeight - std::min(in.gripWidth, footerHeight), in.gripWidth,
                std::min(in.gripWidth, footerHeight)};

    int memoTop = titleHeight + 2;
    if (in.mailingVisible) {
        out.mailing = {in.mailingBorder, titleHeight + 2, std::max(0, w - 2 * in.mailingBorder),
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

    out.minimumWidth = std::max(kMinimumWidth, 2 + in.typeLabelWidth + titleMarks);
    out.minimumHeight = kMinimumHeight + (titleHeight - kTitleHeight) +
                        (footerHeight - kFooterHeight) +
                        (in.mailingVisible ? in.mailingHeight : 0) +
                        (in.attachmentsVisible ? in.attachmentsHeight : 0);
    return out;
}

}  // namespace notes
