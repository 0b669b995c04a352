#pragma once

#include "notes/note_geometry.h"

namespace notes {

// The shadow's sizes at the default font; a larger font makes rows and columns larger.
inline constexpr int kShadowLabelHeight = 15;
inline constexpr int kShadowFieldHeight = 21;
inline constexpr int kShadowFieldWidth = 138;
inline constexpr int kShadowImageSize = 32;

// What the shadow's text needs, measured in the window's font, in pixels.
struct ShadowLayoutInput {
    int labelHeight = kShadowLabelHeight;  // a label's line of text
    int fieldHeight = kShadowFieldHeight;  // an edit field or drop-down list
    int labelWidth = 0;                    // the widest label
    int timeFieldWidth = 0;                // a time field that shows the widest time whole
    int dateFieldWidth = 0;                // the date box that shows the widest date whole
    int weekdayWidth = 0;                  // the widest weekday name
    int placementButtonSize = 16;
    // The line that tells how the item repeats, under the date; 0 when there is none. It is
    // shown whole, with its button beside it.
    int repeatWidth = 0;
};

// Where every part of the shadow goes, in client coordinates. The fields fill a column on the
// left, each under its label; the images fill a column on the right, the part of the shadow
// that shows beyond the note when it sits behind it.
struct ShadowLayout {
    Rect dateTimeLabel, date, weekday, repeat, dropRepeat, start, hyphen, end;
    Rect contactLabel, contact, address;
    Rect categoryLabel, category;
    Rect dateTimeImage, contactImage, categoryImage;
    Rect placementButton;
    int width = 0, height = 0;
    // Where the image column starts, with a gap so that the note's edge never touches it.
    int imageColumnLeft = 0;
};

ShadowLayout LayOutShadow(const ShadowLayoutInput& input);

}  // namespace notes
