#pragma once

class QString;
class QWidget;

namespace platform {

// The width a window needs for the desktop to show `title` whole in its title bar: the text in
// the title bar's font, bold as most window managers draw it, and room for the window's icon
// and buttons beside it.
int widthForTitle(const QWidget& window, const QString& title);

}  // namespace platform
