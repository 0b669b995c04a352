#include "platform/ui/x11_typed_key.h"

#include <QChar>
#include <array>
#include <utility>

#include <xcb/xproto.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

namespace platform {
namespace {

struct SpecialKey {
    unsigned long keysym;
    int key;
    const char* text;
};

// The keys that are no character, and those whose character Qt names otherwise.
constexpr std::array<SpecialKey, 26> kSpecialKeys = {{
    {XKB_KEY_BackSpace, Qt::Key_Backspace, "\b"},
    {XKB_KEY_Tab, Qt::Key_Tab, "\t"},
    {XKB_KEY_ISO_Left_Tab, Qt::Key_Backtab, ""},
    {XKB_KEY_Return, Qt::Key_Return, "\r"},
    {XKB_KEY_KP_Enter, Qt::Key_Enter, "\r"},
    {XKB_KEY_Escape, Qt::Key_Escape, "\x1b"},
    {XKB_KEY_Delete, Qt::Key_Delete, "\x7f"},
    {XKB_KEY_Insert, Qt::Key_Insert, ""},
    {XKB_KEY_Home, Qt::Key_Home, ""},
    {XKB_KEY_End, Qt::Key_End, ""},
    {XKB_KEY_Left, Qt::Key_Left, ""},
    {XKB_KEY_Up, Qt::Key_Up, ""},
    {XKB_KEY_Right, Qt::Key_Right, ""},
    {XKB_KEY_Down, Qt::Key_Down, ""},
    {XKB_KEY_Prior, Qt::Key_PageUp, ""},
    {XKB_KEY_Next, Qt::Key_PageDown, ""},
    {XKB_KEY_Shift_L, Qt::Key_Shift, ""},
    {XKB_KEY_Shift_R, Qt::Key_Shift, ""},
    {XKB_KEY_Control_L, Qt::Key_Control, ""},
    {XKB_KEY_Control_R, Qt::Key_Control, ""},
    {XKB_KEY_Alt_L, Qt::Key_Alt, ""},
    {XKB_KEY_Alt_R, Qt::Key_Alt, ""},
    {XKB_KEY_Super_L, Qt::Key_Super_L, ""},
    {XKB_KEY_Super_R, Qt::Key_Super_R, ""},
    {XKB_KEY_Caps_Lock, Qt::Key_CapsLock, ""},
    {XKB_KEY_Num_Lock, Qt::Key_NumLock, ""},
}};

Qt::KeyboardModifiers modifiersOf(unsigned state) {
    Qt::KeyboardModifiers modifiers;
    if (state & XCB_MOD_MASK_SHIFT) modifiers |= Qt::ShiftModifier;
    if (state & XCB_MOD_MASK_CONTROL) modifiers |= Qt::ControlModifier;
    if (state & XCB_MOD_MASK_1) modifiers |= Qt::AltModifier;
    if (state & XCB_MOD_MASK_4) modifiers |= Qt::MetaModifier;
    return modifiers;
}

}  // namespace

TypedKey typedKey(unsigned long keysym, unsigned state) {
    TypedKey typed;
    typed.modifiers = modifiersOf(state);
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F35) {
        typed.key = Qt::Key_F1 + static_cast<int>(keysym - XKB_KEY_F1);
        return typed;
    }
    for (const SpecialKey& special : kSpecialKeys) {
        if (special.keysym != keysym) continue;
        typed.key = special.key;
        typed.text = QString::fromLatin1(special.text);
        return typed;
    }
    if (keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_Equal)
        typed.modifiers |= Qt::KeypadModifier;
    const char32_t character = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    if (character == 0) return typed;
    // Qt names a character's key by its upper case: 'a' and 'A' are both Key_A.
    typed.key = static_cast<int>(QChar::toUpper(character));
    typed.text = QString::fromUcs4(&character, 1);
    const bool controlLetter =
        (character >= U'@' && character <= U'_') || (character >= U'a' && character <= U'z');
    if ((state & XCB_MOD_MASK_CONTROL) && controlLetter)
        typed.text = QChar(static_cast<char16_t>(character & 0x1f));
    return typed;
}

}  // namespace platform
