#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// Reference-counted names mapped to small numbers (atoms) in 0xC000..0xFFFF. Names compare
// without regard to ASCII case; a name keeps the spelling it was first added with. Safe to
// use from several threads.
class AtomTable {
public:
    static constexpr std::uint16_t kFirstAtom = 0xC000;
    static constexpr std::uint16_t kLastAtom = 0xFFFF;
    static constexpr std::size_t kMaxNameLength = 255;

    // The name's atom, its reference count raised by one; 0 when the name is empty, longer
    // than kMaxNameLength, or the table is full.
    std::uint16_t add(std::string_view name);
    // 0 when the name is not in the table.
    std::uint16_t find(std::string_view name) const;
    // Drops one reference; the atom is gone when none are left. False for unknown atoms.
    bool remove(std::uint16_t atom);
    // Empty for unknown atoms.
    std::string name(std::uint16_t atom) const;

private:
    struct Entry {
        std::string name;
        std::uint32_t references = 0;  // 0: the slot is free
    };
    const Entry* entryOf(std::uint16_t atom) const;

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;         // entries_[atom - kFirstAtom]
    std::set<std::uint16_t> freeAtoms_;  // freed slots below entries_.size(), reused lowest first
    std::unordered_map<std::string, std::uint16_t> atomsByFoldedName_;
};

// The process-wide table.
AtomTable& globalAtomTable();

}  // namespace platform
