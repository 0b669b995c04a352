#pragma once

#include <string>
#include <string_view>

#include "settings_file.h"
#include "string_hash_map.h"
#include "text_filter.h"
#include "token.h"

namespace sentex {

// Every word the parser understands, with its token class and value, plus the four token
// lists of the last tokenisation. Built from the built-in word tables, each row of which
// the settings file may replace.
class Vocabulary {
public:
    struct Meaning {
        TokenClass cls;
        int32_t value;
    };

    explicit Vocabulary(const SettingsFile& settings);

    const Meaning* lookup(std::string_view word) const {
        return wordFilter_.mayHold(word) ? words_.find(word) : nullptr;
    }
    std::size_t wordCount() const { return words_.size(); }

    // Fills the four token lists from the text (see tokenizer.cpp).
    void tokenize(std::string_view text);
    // Fills only rawTokens: the normalised text split into words, numbers and marks.
    void tokenizeRaw(std::string_view text);
    TokenLists& lists() { return lists_; }
    const TokenLists& lists() const { return lists_; }

private:
    void insertWords(std::string_view words, TokenClass cls, int32_t value);
    void scan();
    // Appends the piece as a raw token: its vocabulary meaning, else notFound.
    void pushClassified(std::string_view piece, TokenClass notFound);
    void joinClockTimes();
    void pushClockToken(const Token& t);
    void joinOrdinals();
    std::string_view joinedText(std::string_view first, std::string_view second);

    StringHashMap<Meaning> words_{509};
    TextFilter wordFilter_;  // holds every word of words_
    TokenLists lists_;
    std::string lowered_;  // the normalised text that token texts point into
    std::string joined_;   // texts of joined tokens that were not adjacent in the text
};

}  // namespace sentex
