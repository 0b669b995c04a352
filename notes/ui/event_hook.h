#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace notes::ui {

// Calls `handler` for every event of one type that reaches `target`, before the target
// itself sees it; the handler answers whether the event is used up. The hook lives as long
// as the target.
void onEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler);

// Whether a focus-out event means the user moved on to another control of the window, as
// opposed to a menu or drop-down opening, or another window being activated.
bool movedToAnotherControl(const QEvent* focusOut);

}  // namespace notes::ui
