#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "notes/note_keys.h"

class QKeyEvent;
class QWidget;

namespace notes::ui {

// The note's key for a Qt key code, and the note's modifier bits for Qt's.
Key keyOf(int qtKey);
unsigned modifiersOf(Qt::KeyboardModifiers modifiers);

// Gives every key pressed in a window to the note's handlers before the focused control
// sees it: first the key with its modifiers, then the character it types. A key either
// handler takes never reaches the control.
class KeyPreview : public QObject {
public:
    using KeyDown = std::function<bool(Key, unsigned)>;
    using KeyPress = std::function<bool(char)>;

    KeyPreview(QObject* parent, KeyDown keyDown, KeyPress keyPress);

    // Previews the keys of the window `window` and of every widget inside it. The popups it
    // owns (menus, drop-down lists, the calendar) keep their keys to themselves.
    void watch(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key a control ignores travels on to its parents; it is previewed once only.
    bool alreadyPreviewed(const QKeyEvent* event, QWidget* receiver) const;

    KeyDown keyDown_;
    KeyPress keyPress_;
    QPointer<QWidget> window_;
    const QKeyEvent* lastEvent_ = nullptr;
    QPointer<QWidget> lastReceiver_;
};

}  // namespace notes::ui
