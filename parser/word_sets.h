#pragma once

#include <span>
#include <string_view>

namespace sentex {

// Words the keyword store never proposes as a new keyword: the date words and the
// common stop words.
std::span<const std::string_view> reservedWordList();
// Texts that cannot begin a keyword, because they address one: "please", "fyi", and
// the punctuation that may stand between a keyword and them.
std::span<const std::string_view> noiseWordList();

}  // namespace sentex
