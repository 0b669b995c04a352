#include "platform/utf8_text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

TEST(Utf8Text, WellFormedTextIsKept) {
    for (const std::string& text :
         std::initializer_list<std::string>{"", "lunch with Ann", "Müller café", "日本語",
                                            "emoji 🍕", std::string("nul\0inside", 10)}) {
        EXPECT_TRUE(isValidUtf8(text)) << text;
        EXPECT_EQ(validUtf8(text), text);
    }
}

TEST(Utf8Text, IllFormedSequencesBecomeOneReplacementEach) {
    EXPECT_EQ(validUtf8("a\xFF"
                        "b"),
              "a" + kFffd + "b");
    // A lone continuation byte, a truncated sequence at the end and in the middle.
    EXPECT_EQ(validUtf8("\x80"), kFffd);
    EXPECT_EQ(validUtf8("caf\xC3"), "caf" + kFffd);
    EXPECT_EQ(validUtf8("\xE6\x97x"), kFffd + "x");
    // Overlong forms, a surrogate and a code point beyond U+10FFFF.
    EXPECT_EQ(validUtf8("\xC0\xAF"), kFffd + kFffd);
    EXPECT_EQ(validUtf8("\xE0\x80\xAF"), kFffd + kFffd + kFffd);
    EXPECT_EQ(validUtf8("\xED\xA0\x80"), kFffd + kFffd + kFffd);
    EXPECT_EQ(validUtf8("\xF4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd);
    for (const std::string& bad :
         std::initializer_list<std::string>{"\xFF", "\xC3", "\xC0\xAF", "\xED\xA0\x80"}) {
        EXPECT_FALSE(isValidUtf8(bad));
        EXPECT_TRUE(isValidUtf8(validUtf8(bad)));
    }
}

TEST(Utf8Text, ControlCharactersGoButLineBreaksAndTabsStay) {
    EXPECT_EQ(withoutControlCharacters("a\tb\r\nc\x01\x1B[0m\x7F"
                                       "d"),
              "a\tb\r\nc[0md");
    EXPECT_EQ(withoutControlCharacters("x\xC2\x85y\xC2\xA0z"), "xy\xC2\xA0z");
}

}  // namespace
}  // namespace platform
