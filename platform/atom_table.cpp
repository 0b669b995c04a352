#include "platform/atom_table.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::size_t kCapacity = AtomTable::kLastAtom - AtomTable::kFirstAtom + 1;

std::string folded(std::string_view name) {
    std::string result(name);
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return result;
}

}  // namespace

std::uint16_t AtomTable::add(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) return 0;
    std::string key = folded(name);
    const std::lock_guard lock(mutex_);
    if (const auto found = atomsByFoldedName_.find(key); found != atomsByFoldedName_.end()) {
        ++entries_[found->second - kFirstAtom].references;
        return found->second;
    }
    std::uint16_t atom = 0;
    if (!freeAtoms_.empty()) {
        atom = *freeAtoms_.begin();
        freeAtoms_.erase(freeAtoms_.begin());
    } else if (entries_.size() < kCapacity) {
        atom = static_cast<std::uint16_t>(kFirstAtom + entries_.size());
        entries_.emplace_back();
    } else {
        return 0;
    }
    entries_[atom - kFirstAtom] = Entry{std::string(name), 1};
    atomsByFoldedName_.emplace(std::move(key), atom);
    return atom;
}

std::uint16_t AtomTable::find(std::string_view name) const {
    const std::string key = folded(name);
    const std::lock_guard lock(mutex_);
    const auto found = atomsByFoldedName_.find(key);
    return found == atomsByFoldedName_.end() ? 0 : found->second;
}

bool AtomTable::remove(std::uint16_t atom) {
    const std::lock_guard lock(mutex_);
    if (entryOf(atom) == nullptr) return false;
    Entry& entry = entries_[atom - kFirstAtom];
    if (--entry.references == 0) {
        atomsByFoldedName_.erase(folded(entry.name));
        entry.name.clear();
        freeAtoms_.insert(atom);
    }
    return true;
}

std::string AtomTable::name(std::uint16_t atom) const {
    const std::lock_guard lock(mutex_);
    const Entry* entry = entryOf(atom);
    return entry == nullptr ? std::string() : entry->name;
}

const AtomTable::Entry* AtomTable::entryOf(std::uint16_t atom) const {
    if (atom < kFirstAtom || static_cast<std::size_t>(atom - kFirstAtom) >= entries_.size()) {
        return nullptr;
    }
    const Entry& entry = entries_[atom - kFirstAtom];
    return entry.references == 0 ? nullptr : &entry;
}

AtomTable& globalAtomTable() {
    static AtomTable table;
    return table;
}

}  // namespace platform
