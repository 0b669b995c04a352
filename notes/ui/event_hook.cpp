#include "notes/ui/event_hook.h"

#include <QFocusEvent>

namespace notes::ui {
namespace {

class EventHook : public QObject {
public:
    EventHook(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler)
        : QObject(target), type_(type), handler_(std::move(handler)) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return watched == parent() && event->type() == type_ && handler_(event);
    }

private:
    QEvent::Type type_;
    std::function<bool(QEvent*)> handler_;
};

}  // namespace

void onEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler) {
    new EventHook(target, type, std::move(handler));
}

bool movedToAnotherControl(const QEvent* focusOut) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(focusOut)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace notes::ui
