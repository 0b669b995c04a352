#include "vocabulary.h"

#include <optional>

#include "clock_time.h"
#include "text.h"
#include "word_tables.h"

namespace sentex {
namespace {

int32_t resolveValue(int32_t value) {
    // Midnight is one minute before the end of the day.
    if (value == kNoonValue) return makeClockTime(12, 0);
    if (value == kMidnightValue) return makeClockTime(23, 59);
    return value;
}

}  // namespace

Vocabulary::Vocabulary(const SettingsFile& settings) {
    for (const WordTableRow& row : builtInWordTables()) {
        const std::optional<std::string> fromFile = settings.value(row.section, row.key);
        const std::string_view words =
            fromFile ? std::string_view(*fromFile) : trimWhiteSpace(row.defaultWords);
        insertWords(words, row.cls, resolveValue(row.value));
    }
}

void Vocabulary::insertWords(std::string_view words, TokenClass cls, int32_t value) {
    while (!words.empty()) {
        const std::size_t cut = words.find(';');
        const std::string_view word = words.substr(0, cut);
        if (!word.empty()) {
            if (!words_.contains(word)) wordFilter_.add(word);
            words_.insertOrAssign(word, Meaning{cls, value});
        }
        words = cut == std::string_view::npos ? std::string_view() : words.substr(cut + 1);
    }
}

}  // namespace sentex
