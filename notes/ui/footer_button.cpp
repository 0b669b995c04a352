#include "notes/ui/footer_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace notes::ui {

FooterButton::FooterButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void FooterButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<FooterButton> alive(this);
    QToolButton::mouseReleaseEvent(event);  // the click, which may open a dialog or end the note
    if (alive && mouseUp_) mouseUp_();
}

void FooterButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    // A flat button's style may show its focus faintly or not at all: a ring two pixels wide.
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

}  // namespace notes::ui
