#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sentex {

// Space, tab, line feed, vertical tab, form feed and carriage return.
constexpr bool isWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// ASCII letters, and every byte of 128 or more, so that multi-byte characters stay whole.
constexpr bool isLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b >= 128;
}

// For working on eight bytes of text at once in a 64-bit word: 1 in every byte, and the
// high bit of every byte.
constexpr uint64_t kEveryByte = 0x0101010101010101;
constexpr uint64_t kHighBits = kEveryByte * 0x80;

std::string_view trimWhiteSpace(std::string_view text);
std::string asciiLower(std::string_view text);

// Lowercases UTF-8 text with the C library's case mapping for the environment's UTF-8
// locale (C.UTF-8 when the environment's is not UTF-8). ASCII maps to ASCII whatever
// the locale; bytes that are not valid UTF-8 are copied as they are. On Windows the text
// is in the active code page and lowercased with the system's mapping for it.
void lowercaseInto(std::string_view text, std::string& out);
std::string lowercase(std::string_view text);

}  // namespace sentex
