#pragma once

#include <QRect>

#include "notes/note_geometry.h"

namespace notes::ui {

// A rectangle of the note's layout as Qt's.
inline QRect qt(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace notes::ui
