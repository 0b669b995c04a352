#pragma once

#include "notes/note_geometry.h"

namespace notes {

// The sizes the note's layout works with at the default font, in pixels; a larger font makes
// the title bar, the footer and the least width larger.
inline constexpr int kTitleHeight = 17;
inline constexpr int kFooterHeight = 19;
inline constexpr int kMinimumWidth = 194;
inline constexpr int kMinimumHeight = 182;

// What the layout needs to know of the note's controls.
struct NoteLayoutInput {
    int width = kMinimumWidth;  // the client area
    int height = kMinimumHeight;
    int titleHeight = kTitleHeight;    // at least; more when the type's name needs it
    int footerHeight = kFooterHeight;  // at least; more when the save button's text needs it
    int typeLabelWidth = 0;            // what the type's icon, longest name and arrow need
    bool mailingVisible = false;
    int mailingHeight = 0;  // the recipients panel
    int mailingBorder = 0;  // its border, by which it is inset from both sides
    bool attachmentsVisible = false;
    int attachmentsHeight = 0;  // the attachment list
    int closeButtonWidth = 15;
    int logoWidth = 15;
    int saveButtonWidth = 40;
    int gripWidth = 0;  // the sizing grip in the footer's right corner, right of the save button
};

// Where every part of the note goes for a client area of the given size. Rectangles are in
// client coordinates; those inside the title panel or the footer are relative to them.
struct NoteLayout {
    Rect title, closeButton, logo, typeLabel;
    Rect mailing;  // empty when the recipients panel is hidden
    Rect memo;
    Rect attachments;  // empty when the list is hidden
    Rect footer, saveButton, grip;
    // The smallest client area the user may size the note to.
    int minimumWidth = kMinimumWidth;
    int minimumHeight = kMinimumHeight;
};

NoteLayout LayOutNote(const NoteLayoutInput& input);

}  // namespace notes
