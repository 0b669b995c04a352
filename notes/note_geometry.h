#pragma once

namespace notes {

// A window's frame or an area of the screen, in screen pixels.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    int centreX() const { return left + width / 2; }
    int centreY() const { return top + height / 2; }
    bool operator==(const Rect&) const = default;
};

}  // namespace notes
