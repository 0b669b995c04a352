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
    buildSlots();
}

void Vocabulary::buildSlots() {
    int bits = 4;
    while ((std::size_t{1} << bits) < 8 * words_.size())
        ++bits;
    slots_.assign(std::size_t{1} << bits, 0);
    slotMask_ = slots_.size() - 1;
    slotShift_ = 32 - bits;
    entries_.clear();
    for (auto p = words_.first(); !words_.done(p); p = words_.next(p)) {
        entries_.push_back(Entry{words_.keyAt(p), words_.valueAt(p)});
        std::size_t i = slotOf(entries_.back().word);
        while (slots_[i] != 0)
            i = (i + 1) & slotMask_;
        slots_[i] = static_cast<uint32_t>(entries_.size());
    }
}

void Vocabulary::insertWords(std::string_view words, TokenClass cls, int32_t value) {
    while (!words.empty()) {
        const std::size_t cut = words.find(';');
        const std::string_view word = words.substr(0, cut);
        if (!word.empty()) words_.insertOrAssign(word, Meaning{cls, value});
        words = cut == std::string_view::npos ? std::string_view() : words.substr(cut + 1);
    }
}

}  // namespace sentex
