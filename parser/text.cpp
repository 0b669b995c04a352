#include "text.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#include <wctype.h>
#endif

#include <cstdint>
#include <cstring>

namespace sentex {
namespace {

constexpr char asciiLowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

#if defined(_WIN32)
// One character of the active code page: a double-byte character when text[i] is a lead
// byte with a byte after it, else one byte.
std::size_t characterLength(std::string_view text, std::size_t i) {
    return IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Lowercases the non-ASCII character at text[i] with the system's mapping for the active
// code page and appends it; returns its length in bytes.
std::size_t lowerCharacterInto(std::string_view text, std::size_t i, std::string& out) {
    const std::size_t length = characterLength(text, i);
    char lower[2] = {text[i], length == 2 ? text[i + 1] : '\0'};
    CharLowerBuffA(lower, static_cast<DWORD>(length));
    // Keep ASCII out of reach of a non-ASCII capital, so that letters outside ASCII never
    // turn into vocabulary words.
    const bool becameAscii = static_cast<unsigned char>(lower[0]) < 0x80;
    out.append(becameAscii ? text.data() + i : lower, length);
    return length;
}
#else
locale_t caseMappingLocale() {
    static const locale_t locale = [] {
        locale_t fromEnvironment = newlocale(LC_CTYPE_MASK, "", locale_t(0));
        if (fromEnvironment && std::strcmp(nl_langinfo_l(CODESET, fromEnvironment), "UTF-8") == 0)
            return fromEnvironment;
        if (fromEnvironment) freelocale(fromEnvironment);
        return newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    }();
    return locale;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is not valid
// (truncated, overlong, a surrogate or beyond U+10FFFF).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& out) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, out = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, out = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, out = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        out = (out << 6) | (b & 0x3F);
    }
    if (out < minimum || out > 0x10FFFF || (out >= 0xD800 && out <= 0xDFFF)) return 0;
    return length;
}

void encodeUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Lowercases the UTF-8 character at text[i] with the case mapping locale and appends it;
// returns its length in bytes. A byte that does not start a valid sequence is copied.
std::size_t lowerCharacterInto(std::string_view text, std::size_t i, std::string& out) {
    char32_t wide = 0;
    const std::size_t length = decodeUtf8(text, i, wide);
    const locale_t locale = caseMappingLocale();
    if (length == 0 || !locale) {
        out += text[i];
        return 1;
    }
    const auto lower = static_cast<char32_t>(towlower_l(static_cast<wint_t>(wide), locale));
    // Keep ASCII out of reach of a non-ASCII capital (the Kelvin sign lowercases to
    // 'k'), so that letters outside ASCII never turn into vocabulary words.
    encodeUtf8(lower < 0x80 ? wide : lower, out);
    return length;
}
#endif

// Lowercases eight ASCII bytes (all below 0x80) at once. Adding 0x80 - 'A' to a byte sets
// its high bit when it is 'A' or more, adding 0x80 - 'Z' - 1 when it is above 'Z'; no sum
// carries into the next byte. The capitals get 0x20, the bit that tells them apart.
constexpr uint64_t asciiLower8(uint64_t bytes) {
    const uint64_t fromA = bytes + kEveryByte * (0x80 - 'A');
    const uint64_t afterZ = bytes + kEveryByte * (0x80 - 'Z' - 1);
    return bytes | (fromA & ~afterZ & kHighBits) >> 2;
}

// Lowercases the ASCII beginning of the text in place; returns its length.
std::size_t lowercaseAsciiPrefix(std::string& text) {
    char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t bytes;
        std::memcpy(&bytes, data + i, 8);
        if (bytes & kHighBits) break;
        bytes = asciiLower8(bytes);
        std::memcpy(data + i, &bytes, 8);
    }
    for (; i < size && static_cast<unsigned char>(data[i]) < 0x80; ++i)
        data[i] = asciiLowerChar(data[i]);
    return i;
}

}  // namespace

std::string_view trimWhiteSpace(std::string_view text) {
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = asciiLowerChar(c);
    return out;
}

void lowercaseInto(std::string_view text, std::string& out) {
    // Most notes are ASCII throughout and are done here. From the first other byte on,
    // the lowercase text may differ in length, so the rest is built by appending.
    out.assign(text);
    const std::size_t asciiPrefix = lowercaseAsciiPrefix(out);
    if (asciiPrefix == text.size()) return;
    out.resize(asciiPrefix);
    for (std::size_t i = asciiPrefix; i < text.size();) {
        // A run of ASCII, most notes' whole text, is copied at once and lowercased in place.
        std::size_t runEnd = i;
        while (runEnd < text.size() && static_cast<unsigned char>(text[runEnd]) < 0x80)
            ++runEnd;
        if (runEnd > i) {
            const std::size_t at = out.size();
            out.append(text.data() + i, runEnd - i);
            for (char *c = out.data() + at, *end = out.data() + out.size(); c != end; ++c)
                *c = asciiLowerChar(*c);
            i = runEnd;
            continue;
        }
        i += lowerCharacterInto(text, i, out);
    }
}

std::string lowercase(std::string_view text) {
    std::string out;
    lowercaseInto(text, out);
    return out;
}

}  // namespace sentex
