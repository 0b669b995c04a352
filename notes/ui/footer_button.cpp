#include "notes/ui/footer_button.h"

#include <QMouseEvent>
#include <QPointer>

namespace notes::ui {

void FooterButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<FooterButton> alive(this);
    QToolButton::mouseReleaseEvent(event);  // the click, which may open a dialog or end the note
    if (alive && mouseUp_) mouseUp_();
}

}  // namespace notes::ui
