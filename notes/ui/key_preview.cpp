#include "notes/ui/key_preview.h"

#include <QKeyEvent>
#include <QWidget>

namespace notes::ui {

Key keyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape:
            return Key::Escape;
        case Qt::Key_Delete:
            return Key::Delete;
        case Qt::Key_F1:
            return Key::F1;
        case Qt::Key_F2:
            return Key::F2;
        case Qt::Key_F3:
            return Key::F3;
        case Qt::Key_F4:
            return Key::F4;
        case Qt::Key_F:
            return Key::F;
        case Qt::Key_J:
            return Key::J;
        case Qt::Key_K:
            return Key::K;
        case Qt::Key_N:
            return Key::N;
        case Qt::Key_R:
            return Key::R;
        case Qt::Key_S:
            return Key::S;
        case Qt::Key_T:
            return Key::T;
        case Qt::Key_W:
            return Key::W;
        case Qt::Key_Menu:
            return Key::Menu;
        default:
            return Key::Other;
    }
}

unsigned modifiersOf(Qt::KeyboardModifiers modifiers) {
    unsigned bits = kNoModifier;
    if (modifiers & Qt::ShiftModifier) bits |= kShift;
    if (modifiers & Qt::ControlModifier) bits |= kCtrl;
    if (modifiers & Qt::AltModifier) bits |= kAlt;
    if (modifiers & Qt::MetaModifier) bits |= kMeta;
    return bits;
}

KeyPreview::KeyPreview(QObject* parent, KeyDown keyDown, KeyPress keyPress)
    : QObject(parent), keyDown_(std::move(keyDown)), keyPress_(std::move(keyPress)) {}

void KeyPreview::watch(QWidget* window) {
    window_ = window;
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool KeyPreview::alreadyPreviewed(const QKeyEvent* event, QWidget* receiver) const {
    return event == lastEvent_ && lastReceiver_ && receiver != lastReceiver_ &&
           receiver->isAncestorOf(lastReceiver_);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        lastEvent_ = nullptr;
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* receiver = static_cast<QWidget*>(watched);
    if (receiver->window() != window_ || alreadyPreviewed(key, receiver)) return false;
    lastEvent_ = key;
    lastReceiver_ = receiver;

    if (keyDown_(keyOf(key->key()), modifiersOf(key->modifiers()))) return true;
    const QByteArray typed = key->text().toUtf8();
    return !typed.isEmpty() && keyPress_(typed.front());
}

}  // namespace notes::ui
