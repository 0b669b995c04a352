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
        if (tokens_.capacity() > kKeepCapacity) std::vector<Token>().swap(tokens_);
        tokens_.clear();
        front_ = 0;
    }
    void push(const Token& token) { tokens_.push_back(token); }

    bool empty() const { return front_ == tokens_.size(); }
    const Token* peek(std::size_t ahead = 0) const {
        return front_ + ahead < tokens_.size() ? &tokens_[front_ + ahead] : nullptr;
    }
    const Token* take() { return empty() ? nullptr : &tokens_[front_++]; }
    // Takes the front token only when it has class c.
    const Token* takeIf(TokenClass c) {
        const Token* t = peek();
        return t && t->cls == c ? take() : nullptr;
    }

    // Takes n tokens without looking at them.
    void drop(std::size_t n) { front_ = front_ + n < tokens_.size() ? front_ + n : tokens_.size(); }

    Mark mark() const { return front_; }
    void putBack(Mark m) { front_ = m; }

    // The whole list from the front, for inspection.
    const Token* begin() const { return tokens_.data() + front_; }
    const Token* end() const { return tokens_.data() + tokens_.size(); }

private:
    static constexpr std::size_t kKeepCapacity = 1 << 16;
    std::vector<Token> tokens_;
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
