#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "token_class.h"

namespace sentex {

// A classified piece of text. The text views storage owned by the tokenizer and stays
// valid until the next tokenisation.
struct Token {
    std::string_view text;
    TokenClass cls = TokenClass::WORD;
    int32_t value = 0;

    bool is(TokenClass c) const { return cls == c; }
};

// An ordered token list that the grammars consume from the front. Taking moves a
// cursor; putting back rewinds it to a mark taken earlier, which restores exactly the
// tokens taken since, in their order.
class TokenList {
public:
    using Mark = std::size_t;

    void clear() {
        // A huge note leaves no huge buffers behind for the short ones that follow.
        if (slots_.size() > kKeepCapacity) {
            std::vector<Token>().swap(slots_);
            capacity_ = 0;
        }
        size_ = 0;
        front_ = 0;
    }
    // Pushing is a store into slots that earlier notes left behind; only a longer note
    // than any before it makes more.
    void push(Token token) {
        if (size_ == capacity_) [[unlikely]]
            grow();
        slots_[size_++] = token;
    }

    bool empty() const { return front_ == size_; }
    const Token* peek(std::size_t ahead = 0) const {
        return front_ + ahead < size_ ? &slots_[front_ + ahead] : nullptr;
    }
    const Token* take() { return empty() ? nullptr : &slots_[front_++]; }
    // Takes the front token only when it has class c.
    const Token* takeIf(TokenClass c) {
        const Token* t = peek();
        return t && t->cls == c ? take() : nullptr;
    }

    // Takes n tokens without looking at them.
    void drop(std::size_t n) { front_ = front_ + n < size_ ? front_ + n : size_; }

    Mark mark() const { return front_; }
    void putBack(Mark m) { front_ = m; }

    // The whole list from the front, for inspection.
    const Token* begin() const { return slots_.data() + front_; }
    const Token* end() const { return slots_.data() + size_; }

private:
    static constexpr std::size_t kKeepCapacity = 1 << 16;
    void grow() {
        slots_.resize(slots_.empty() ? 64 : 2 * slots_.size());
        capacity_ = slots_.size();
    }

    std::vector<Token> slots_;  // the tokens are the first size_
    std::size_t capacity_ = 0;  // slots_.size(), kept at hand for push
    std::size_t size_ = 0;
    std::size_t front_ = 0;
};

// The four lists one tokenisation fills.
struct TokenLists {
    TokenList rawTokens;     // the scanner's output; read by keyword recognition
    TokenList clockTokens1;  // raw tokens with clock times joined, special characters dropped
    TokenList dateTokens;    // clockTokens1 with ordinals joined and "of" dropped
    TokenList clockTokens;   // clockTokens1 with small numbers as hours and "-" as "to"
};

}  // namespace sentex
