#include "platform/ui/window_title.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace platform {

int widthForTitle(const QWidget& window, const QString& title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    // The title bar's height is about the size of its icon and of each of its buttons; four
    // of them leave room for the icon, two buttons and the margins between.
    const int bar =
        std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                 QFontMetrics(font).height());
    return QFontMetrics(font).horizontalAdvance(title) + 4 * bar;
}

}  // namespace platform
