// The keys held after the hot key reach the note as Qt would have reported them: the key,
// its modifiers and the text it types.
#include "platform/ui/x11_typed_key.h"

#include <gtest/gtest.h>

#include <xcb/xproto.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace platform {
namespace {

TEST(X11TypedKey, CharactersTypeThemselvesInAnyScript) {
    const TypedKey a = typedKey(XKB_KEY_a, 0);
    EXPECT_EQ(a.key, Qt::Key_A);
    EXPECT_EQ(a.text, "a");
    EXPECT_EQ(a.modifiers, Qt::NoModifier);

    const TypedKey capital = typedKey(XKB_KEY_A, XCB_MOD_MASK_SHIFT);
    EXPECT_EQ(capital.key, Qt::Key_A);
    EXPECT_EQ(capital.text, "A");
    EXPECT_EQ(capital.modifiers, Qt::ShiftModifier);

    EXPECT_EQ(typedKey(XKB_KEY_space, 0).text, " ");
    EXPECT_EQ(typedKey(XKB_KEY_adiaeresis, 0).text, QString::fromUtf8("ä"));
    EXPECT_EQ(typedKey(XKB_KEY_adiaeresis, 0).key, Qt::Key_Adiaeresis);
    // Symbols outside Latin-1 that X names by a code of its own, and Unicode ones.
    EXPECT_EQ(typedKey(XKB_KEY_EuroSign, 0).text, QString::fromUtf8("€"));
    EXPECT_EQ(typedKey(XKB_KEY_Greek_alpha, 0).text, QString::fromUtf8("α"));
    EXPECT_EQ(typedKey(0x10003b2, 0).text, QString::fromUtf8("β"));
    EXPECT_EQ(typedKey(XKB_KEY_KP_5, 0).text, "5");
    EXPECT_TRUE(typedKey(XKB_KEY_KP_5, 0).modifiers & Qt::KeypadModifier);
}

TEST(X11TypedKey, ControlTypesTheNotesCommandCharacters) {
    // The note saves on Ctrl+S by its key and also drops the control character it types.
    const TypedKey save = typedKey(XKB_KEY_s, XCB_MOD_MASK_CONTROL);
    EXPECT_EQ(save.key, Qt::Key_S);
    EXPECT_EQ(save.modifiers, Qt::ControlModifier);
    EXPECT_EQ(save.text, QString(QChar(0x13)));

    const TypedKey altD = typedKey(XKB_KEY_d, XCB_MOD_MASK_1);
    EXPECT_EQ(altD.key, Qt::Key_D);
    EXPECT_EQ(altD.modifiers, Qt::AltModifier);
    EXPECT_EQ(typedKey(XKB_KEY_x, XCB_MOD_MASK_4).modifiers, Qt::MetaModifier);
    EXPECT_EQ(typedKey(XKB_KEY_x, XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK).modifiers, Qt::NoModifier)
        << "Num Lock and Caps Lock are no modifiers of Qt's";
}

TEST(X11TypedKey, KeysThatAreNoCharacterKeepTheirQtNames) {
    EXPECT_EQ(typedKey(XKB_KEY_BackSpace, 0).key, Qt::Key_Backspace);
    EXPECT_EQ(typedKey(XKB_KEY_Return, 0).key, Qt::Key_Return);
    EXPECT_EQ(typedKey(XKB_KEY_Escape, 0).key, Qt::Key_Escape);
    EXPECT_EQ(typedKey(XKB_KEY_ISO_Left_Tab, XCB_MOD_MASK_SHIFT).key, Qt::Key_Backtab);
    EXPECT_EQ(typedKey(XKB_KEY_F2, 0).key, Qt::Key_F2);
    EXPECT_EQ(typedKey(XKB_KEY_F12, 0).key, Qt::Key_F12);
    EXPECT_EQ(typedKey(XKB_KEY_Left, 0).key, Qt::Key_Left);
    EXPECT_EQ(typedKey(XKB_KEY_Left, 0).text, "");
    EXPECT_EQ(typedKey(XKB_KEY_Shift_L, 0).key, Qt::Key_Shift);
    EXPECT_EQ(typedKey(XKB_KEY_VoidSymbol, 0).key, Qt::Key_unknown);
    EXPECT_EQ(typedKey(XKB_KEY_VoidSymbol, 0).text, "");
}

}  // namespace
}  // namespace platform
