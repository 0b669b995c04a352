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
// A time of day in the desktop's short format, to the minute.
QString timeText(QTime time);
// A value as text: times in the desktop's short date (and time) format.
QString displayText(const DisplayValue& value);
// The folder's icon from the desktop's theme, or our own drawing.
QIcon folderIcon(FolderKind folder);

// Gives `window` the size it had when last closed, or `fallback`.
void restoreSize(QWidget& window, const WindowSizes& sizes, const std::string& name,
                 QSize fallback);
void keepSize(const QWidget& window, WindowSizes& sizes, const std::string& name);

}  // namespace outlook::local
