// Tokenisation: the scanner fills rawTokens; one pass derives the lists that the date
// grammar and the time-of-day grammar read.
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "clock_time.h"
#include "text.h"
#include "vocabulary.h"

namespace sentex {
namespace {

enum class CharKind : uint8_t { Other, Letter, Digit, WhiteSpace };

// The scanner's view of every byte, looked up once per character.
constexpr std::array<CharKind, 256> kCharKinds = [] {
    std::array<CharKind, 256> kinds{};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        kinds[b] = isLetter(c)       ? CharKind::Letter
                   : isDigit(c)      ? CharKind::Digit
                   : isWhiteSpace(c) ? CharKind::WhiteSpace
                                     : CharKind::Other;
    }
    return kinds;
}();

CharKind kindOf(char c) {
    return kCharKinds[static_cast<unsigned char>(c)];
}

// Marks with its high bit each byte of the eight that is a letter (see isLetter): 128
// and above, or ASCII that is 'a' to 'z' once 0x20 folds the capitals onto the small
// letters. No sum carries into the next byte.
constexpr uint64_t letterBytes(uint64_t bytes) {
    const uint64_t folded = (bytes & ~kHighBits) | kEveryByte * 0x20;
    const uint64_t fromA = folded + kEveryByte * (0x80 - 'a');
    const uint64_t afterZ = folded + kEveryByte * (0x80 - 'z' - 1);
    return (bytes & kHighBits) | (fromA & ~afterZ & kHighBits);
}

// Where the run of letters at text[i] ends. Eight bytes at a time where the machine
// stores the first byte lowest, so that the first non-letter is the lowest one marked:
// a word then usually ends in the first eight bytes, without a branch per letter.
std::size_t letterRunEnd(std::string_view text, std::size_t i) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= text.size(); i += 8) {
            uint64_t bytes;
            std::memcpy(&bytes, text.data() + i, 8);
            if (const uint64_t others = ~letterBytes(bytes) & kHighBits)
                return i + static_cast<std::size_t>(std::countr_zero(others)) / 8;
        }
    }
    while (i < text.size() && isLetter(text[i]))
        ++i;
    return i;
}

// The token n places after t, or null past the end.
const Token* ahead(const Token* t, std::size_t n, const Token* end) {
    return n < static_cast<std::size_t>(end - t) ? t + n : nullptr;
}

// Whether the postfix makes an ordinal of the number: "th" after any number, "st", "nd"
// and "rd" after one ending in 1, 2 and 3.
bool isOrdinalOf(const Token& number, std::string_view postfix) {
    const char last = number.text.back();
    return postfix == "th" || (last == '1' && postfix == "st") ||
           (last == '2' && postfix == "nd") || (last == '3' && postfix == "rd");
}

bool isClockHour(const Token* t) {
    return t && t->is(TokenClass::NUMBER) && t->value <= 23;
}

}  // namespace

void Vocabulary::tokenizeRaw(std::string_view text) {
    lowercaseInto(trimWhiteSpace(text), lowered_);
    lists_.rawTokens.clear();
    scan();
}

void Vocabulary::tokenize(std::string_view text) {
    tokenizeRaw(text);
    joined_.clear();
    // Joined texts never add up to more than the text itself, so views into joined_
    // stay valid while it grows.
    joined_.reserve(lowered_.size());
    lists_.clockTokens1.clear();
    lists_.dateTokens.clear();
    lists_.clockTokens.clear();
    joinClockTimes();
}

// Called for every word and mark; inline, so that the compiler folds it into the scan.
inline void Vocabulary::pushClassified(std::string_view piece, TokenClass notFound) {
    const Meaning* m = lookup(piece);
    lists_.rawTokens.push(m ? Token{piece, m->cls, m->value} : Token{piece, notFound, 0});
}

void Vocabulary::scan() {
    const std::string_view text = lowered_;
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const std::size_t start = i;
        switch (kindOf(text[i])) {
            case CharKind::Letter:
                i = letterRunEnd(text, i + 1);
                pushClassified(text.substr(start, i - start), TokenClass::WORD);
                break;
            case CharKind::Digit: {
                while (++i < size && kindOf(text[i]) == CharKind::Digit) {
                }
                const std::string_view run = text.substr(start, i - start);
                const bool number = run.size() <= 2 || (run.size() <= 4 && run.front() != '0');
                int32_t value = 0;
                if (number) std::from_chars(run.data(), run.data() + run.size(), value);
                lists_.rawTokens.push(
                    Token{run, number ? TokenClass::NUMBER : TokenClass::WORD, value});
                break;
            }
            case CharKind::WhiteSpace:
                ++i;
                break;
            case CharKind::Other:
                ++i;
                pushClassified(text.substr(start, 1), TokenClass::SPECIAL);
                break;
        }
    }
}

void Vocabulary::joinClockTimes() {
    const Token* const end = lists_.rawTokens.end();
    for (const Token* t = lists_.rawTokens.begin(); t != end; ++t) {
        if (t->is(TokenClass::SPECIAL)) continue;
        if (!isClockHour(t)) {
            pushClockToken(*t);
            continue;
        }
        const Token* next = ahead(t, 1, end);
        if (next && next->is(TokenClass::AMPM)) {
            if (const ClockTime time = makeClockTimeAmPm(t->value, 0, next->value)) {
                pushClockToken(Token{t->text, TokenClass::TIME, time});
                ++t;
                continue;
            }
        }
        const Token* minutes = ahead(t, 2, end);
        if (next && next->is(TokenClass::TIME_SEPARATOR) && minutes &&
            minutes->is(TokenClass::NUMBER) && minutes->text.size() == 2 && minutes->value < 60) {
            const Token* suffix = ahead(t, 3, end);
            if (suffix && suffix->is(TokenClass::AMPM)) {
                pushClockToken(Token{t->text, TokenClass::TIME,
                                     makeClockTimeAmPm(t->value, minutes->value, suffix->value)});
                t = suffix;
            } else {
                pushClockToken(
                    Token{t->text, TokenClass::TIME, makeClockTime(t->value, minutes->value)});
                t = minutes;
            }
            continue;
        }
        pushClockToken(*t);
    }
    if (heldNumber_) lists_.dateTokens.push(*heldNumber_);
    heldNumber_.reset();
}

// Each token of clockTokens1 goes on at once to the two lists derived from it, so that
// all three come out of one pass: to clockTokens with small numbers as hours and "-" as
// "to", and to dateTokens with ordinals joined and "of" dropped. Inline, so that the
// compiler folds it into the loop above.
inline void Vocabulary::pushClockToken(const Token& t) {
    lists_.clockTokens1.push(t);
    if (t.is(TokenClass::NUMBER) && t.value >= 1 && t.value <= 12)
        lists_.clockTokens.push(Token{t.text, TokenClass::HOUR, t.value});
    else if (t.is(TokenClass::DATE_SEPARATOR) && t.text == "-")
        lists_.clockTokens.push(Token{t.text, TokenClass::TO, t.value});
    else
        lists_.clockTokens.push(t);

    // A number waits for the token after it, which may be its ordinal postfix.
    if (heldNumber_) {
        const Token number = *heldNumber_;
        heldNumber_.reset();
        if (t.is(TokenClass::NUMBER_POSTFIX) && isOrdinalOf(number, t.text)) {
            lists_.dateTokens.push(
                Token{joinedText(number.text, t.text), TokenClass::ORDINAL, number.value});
            return;
        }
        lists_.dateTokens.push(number);
    }
    if (t.is(TokenClass::NUMBER))
        heldNumber_ = t;
    else if (!t.is(TokenClass::DE_OF))
        lists_.dateTokens.push(t);
}

std::string_view Vocabulary::joinedText(std::string_view first, std::string_view second) {
    if (first.data() + first.size() == second.data())
        return {first.data(), first.size() + second.size()};
    const std::size_t at = joined_.size();
    joined_.append(first).append(second);
    return std::string_view(joined_).substr(at);
}

}  // namespace sentex
