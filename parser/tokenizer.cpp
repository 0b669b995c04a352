// Tokenisation: the scanner fills rawTokens; three passes derive the lists that keyword
// recognition, the date grammar and the time-of-day grammar read.
#include <array>
#include <charconv>
#include <cstdint>

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
    joinOrdinals();
    buildClockList();
}

void Vocabulary::pushClassified(std::string_view piece, TokenClass notFound) {
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
                while (++i < size && kindOf(text[i]) == CharKind::Letter) {
                }
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
    TokenList& in = lists_.rawTokens;
    TokenList& out = lists_.clockTokens1;
    const TokenList::Mark start = in.mark();
    while (const Token* t = in.take()) {
        if (t->is(TokenClass::SPECIAL)) continue;
        if (!isClockHour(t)) {
            out.push(*t);
            continue;
        }
        const Token* next = in.peek();
        if (next && next->is(TokenClass::AMPM)) {
            if (const ClockTime time = makeClockTimeAmPm(t->value, 0, next->value)) {
                in.take();
                out.push(Token{t->text, TokenClass::TIME, time});
                continue;
            }
        }
        const Token* minutes = in.peek(1);
        if (next && next->is(TokenClass::TIME_SEPARATOR) && minutes &&
            minutes->is(TokenClass::NUMBER) && minutes->text.size() == 2 && minutes->value < 60) {
            const Token* suffix = in.peek(2);
            if (suffix && suffix->is(TokenClass::AMPM)) {
                in.drop(3);
                out.push(Token{t->text, TokenClass::TIME,
                               makeClockTimeAmPm(t->value, minutes->value, suffix->value)});
            } else {
                in.drop(2);
                out.push(Token{t->text, TokenClass::TIME, makeClockTime(t->value, minutes->value)});
            }
            continue;
        }
        out.push(*t);
    }
    in.putBack(start);
}

std::string_view Vocabulary::joinedText(std::string_view first, std::string_view second) {
    if (first.data() + first.size() == second.data())
        return {first.data(), first.size() + second.size()};
    const std::size_t at = joined_.size();
    joined_.append(first).append(second);
    return std::string_view(joined_).substr(at);
}

void Vocabulary::joinOrdinals() {
    TokenList& in = lists_.clockTokens1;
    TokenList& out = lists_.dateTokens;
    const TokenList::Mark start = in.mark();
    while (const Token* t = in.take()) {
        if (t->is(TokenClass::DE_OF)) continue;
        const Token* postfix = in.peek();
        if (t->is(TokenClass::NUMBER) && postfix && postfix->is(TokenClass::NUMBER_POSTFIX)) {
            const char last = t->text.back();
            const std::string_view p = postfix->text;
            if (p == "th" || (last == '1' && p == "st") || (last == '2' && p == "nd") ||
                (last == '3' && p == "rd")) {
                in.take();
                out.push(Token{joinedText(t->text, p), TokenClass::ORDINAL, t->value});
                continue;
            }
        }
        out.push(*t);
    }
    in.putBack(start);
}

void Vocabulary::buildClockList() {
    for (const Token& t : lists_.clockTokens1) {
        if (t.is(TokenClass::NUMBER) && t.value >= 1 && t.value <= 12)
            lists_.clockTokens.push(Token{t.text, TokenClass::HOUR, t.value});
        else if (t.is(TokenClass::DATE_SEPARATOR) && t.text == "-")
            lists_.clockTokens.push(Token{t.text, TokenClass::TO, t.value});
        else
            lists_.clockTokens.push(t);
    }
}

}  // namespace sentex
