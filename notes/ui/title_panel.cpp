#include "notes/ui/title_panel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace notes::ui {
namespace {

// A colour `share` of the way from `from` to `to`.
QColor mixed(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share,
                            from.greenF() + (to.greenF() - from.greenF()) * share,
                            from.blueF() + (to.blueF() - from.blueF()) * share);
}

}  // namespace

TitlePanel::TitlePanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    applyColours();
}

void TitlePanel::setActive(bool active) {
    active_ = active;
    applyColours();
}

void TitlePanel::applyColours() {
    // Our own colours go on top of the application's palette, which may change at any time.
    const QPalette desktop = QApplication::palette(this);
    QPalette colours = desktop;
    if (active_) {
        colours.setColor(QPalette::Window, desktop.color(QPalette::Highlight));
        colours.setColor(QPalette::WindowText, desktop.color(QPalette::HighlightedText));
    } else {
        // A caption that steps back: a shade darker than the window, its text half-way faded.
        const QColor window = desktop.color(QPalette::Window).darker(112);
        colours.setColor(QPalette::Window, window);
        colours.setColor(QPalette::WindowText,
                         mixed(desktop.color(QPalette::WindowText), window, 0.35));
    }
    setPalette(colours);
}

void TitlePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    QWindow* window = this->window()->windowHandle();
    if (window && window->startSystemMove()) return;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - this->window()->frameGeometry().topLeft();
}

void TitlePanel::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    window()->move(event->globalPosition().toPoint() - grabOffset_);
}

void TitlePanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void TitlePanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange) applyColours();
}

}  // namespace notes::ui
