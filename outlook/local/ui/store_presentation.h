#pragma once

#include <QDateTime>
#include <QIcon>
#include <QSize>
#include <QString>
#include <chrono>
#include <string>

#include "outlook/local/item_details.h"
#include "outlook/local/store/folder_kind.h"
#include "outlook/local/window_sizes.h"
#include "platform/ui/qt_text.h"

class QWidget;

namespace outlook::local {

using platform::qt;

// A local wall-clock time as Qt holds one.
QDateTime toDateTime(std::chrono::local_seconds time);
// A time of day as a note shows it: "9:00am", "3:30pm".
QString timeText(QTime time);
// A value as text: dates in the desktop's short date format, times as timeText writes them.
QString displayText(const DisplayValue& value);
// The folder's icon from the desktop's theme, or our own drawing.
QIcon folderIcon(FolderKind folder);
// The mark of an occurrence of a repeating item.
QIcon repeatIcon();

// Gives `window` the size it had when last closed, or `fallback` (grown to what its
// contents need at the current font), never more than the room the screen it lands on has
// for windows.
void restoreSize(QWidget& window, const WindowSizes& sizes, const std::string& name,
                 QSize fallback);
void keepSize(const QWidget& window, WindowSizes& sizes, const std::string& name);

}  // namespace outlook::local
