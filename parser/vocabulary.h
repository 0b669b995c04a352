#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_file.h"
#include "string_hash_map.h"
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
        for (std::size_t i = slotOf(word);; i = (i + 1) & slotMask_) {
            const uint32_t entry = slots_[i];
            if (entry == 0) return nullptr;
            if (entries_[entry - 1].word == word) return &entries_[entry - 1].meaning;
        }
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
    std::string_view joinedText(std::string_view first, std::string_view second);

    // The vocabulary is read for every word of every note and never changes once built,
    // so lookups go to a copy of words_ made for them: an open-addressing table at most
    // an eighth full, hashed on a word's length and first, second and last bytes. Most
    // words of a note are not vocabulary words and meet an empty slot at once.
    struct Entry {
        std::string_view word;  // a key of words_
        Meaning meaning;
    };
    std::size_t slotOf(std::string_view word) const {
        const auto byte = [word](std::size_t i) {
            return i < word.size() ? static_cast<uint32_t>(static_cast<unsigned char>(word[i])) : 0;
        };
        const uint32_t key = byte(0) | byte(1) << 8 | byte(word.size() - 1) << 16 |
                             static_cast<uint32_t>(word.size()) << 24;
        return (key * 0x9E3779B1u) >> slotShift_;
    }
    void buildSlots();

    StringHashMap<Meaning> words_{509};
    std::vector<Entry> entries_;
    std::vector<uint32_t> slots_;  // entry number + 1, 0 where empty
    std::size_t slotMask_ = 0;
    int slotShift_ = 32;
    TokenLists lists_;
    std::string lowered_;              // the normalised text that token texts point into
    std::string joined_;               // texts of joined tokens that were not adjacent in the text
    std::optional<Token> heldNumber_;  // a number not yet passed on to dateTokens
};

}  // namespace sentex
