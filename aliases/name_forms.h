#pragma once

#include <string>
#include <string_view>

#include "../parser/vocabulary.h"

namespace sentex {

// The longest text the store keeps, so that every stored text fits a caller's 128-byte
// buffer with its terminating NUL.
constexpr std::size_t kMaxStoredText = 127;

// A target name as shown: without surrounding white space, letter case kept.
std::string_view displayForm(std::string_view name);
// A target name as compared: the display form lowercased.
std::string nameKey(std::string_view name);

// The canonical form of a keyword text: its words, numbers and marks, lowercased and
// joined by one blank ("  Acme,  Inc. " is "acme , inc ."). Uses the tokenizer's lists.
std::string canonicalForm(Vocabulary& tokenizer, std::string_view text);
// The first token of a canonical text (its tokens are separated by single blanks).
std::string_view firstToken(std::string_view canonical);

}  // namespace sentex
