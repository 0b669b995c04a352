#pragma once

#include <QString>
#include <Qt>

namespace platform {

// A key as Qt reports it: its key code, the modifiers held, and the text it types.
struct TypedKey {
    int key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// The key an X key symbol stands for, pressed in the X modifier state `state` (the state
// field of an X key event). The text is what Qt gives a control for that key: the character,
// or with Control held the control character of a letter (Ctrl+S types 0x13).
TypedKey typedKey(unsigned long keysym, unsigned state);

}  // namespace platform
