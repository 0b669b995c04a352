#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sentex {

// A quick test in front of a set of texts: when it says no, the set cannot hold the text
// and its lookup can be skipped; yes means only maybe. Most words of a note are neither
// vocabulary words nor keywords, and this answers for them without hashing the word.
// Texts are counted by their length and first and last bytes, so they can be withdrawn.
class TextFilter {
public:
    void add(std::string_view text) { ++counts_[slotOf(text)]; }
    // Only for a text that was added.
    void remove(std::string_view text) { --counts_[slotOf(text)]; }
    void clear() { counts_.fill(0); }
    bool mayHold(std::string_view text) const { return counts_[slotOf(text)] != 0; }

private:
    static constexpr int kSlotBits = 10;

    static std::size_t slotOf(std::string_view text) {
        if (text.empty()) return 0;
        const uint32_t key = static_cast<uint32_t>(static_cast<unsigned char>(text.front())) |
                             static_cast<uint32_t>(static_cast<unsigned char>(text.back())) << 8 |
                             static_cast<uint32_t>(text.size()) << 16;
        return (key * 0x9E3779B1u) >> (32 - kSlotBits);
    }

    std::array<uint32_t, std::size_t{1} << kSlotBits> counts_{};
};

}  // namespace sentex
