#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace platform {

// The name a root has at the start of a key line: "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE".
std::string_view registryRootName(RegistryRoot root);

// Key paths and value names compare this way: ASCII letters ignoring case, all else exact.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// A key path with its empty parts dropped: "\Software\\Jotwise\" is "Software\Jotwise".
std::string normalizeKeyPath(std::string_view path);

struct RegNamedValue {
    std::string name;  // "" for the key's default value
    RegistryValue value;
};

// One key and its values, in the order they were first set.
struct RegKeyEntry {
    std::string path;  // normalized, without the root; "" is the root key itself
    std::vector<RegNamedValue> values;

    const RegistryValue* find(std::string_view name) const;
    // Replaces the value of that name where it stands, keeping the name's first spelling,
    // or appends it.
    void set(std::string_view name, RegistryValue value);
    bool erase(std::string_view name);
};

// Lines that could not be read; a value continued over several lines is one entry.
struct RegUnreadableLine {
    std::size_t lineNumber = 0;  // 1-based, of the first line
    std::string text;            // the lines as they were, joined by "\n"
    std::string reason;
};

// The keys of one root as its REGEDIT4 file holds them.
struct RegFileContents {
    // The keys listed in the file or added, each path once (compared ignoring case).
    // Ancestors of a listed key exist without being listed.
    std::vector<RegKeyEntry> keys;
    std::vector<RegUnreadableLine> unreadable;

    RegKeyEntry* findKey(std::string_view path);
    const RegKeyEntry* findKey(std::string_view path) const;
    // True for the root, a listed key and every ancestor of a listed key.
    bool keyExists(std::string_view path) const;
    // The listed key, added when missing. A new key spells its existing ancestors as they
    // are already spelled, so one key never appears under two spellings. The reference is
    // valid until the next key is added.
    RegKeyEntry& addKey(std::string_view path);
};

// Reads a REGEDIT4 file whose keys lie under `rootName`. Never fails: whatever cannot be
// read (garbage, a cut-off last line, a bad dword, a key under another root and the values
// that follow it, a value before any key) is skipped and listed in `unreadable`.
// "hex(1):" data becomes a string and four-byte "hex(4):" data a dword; other "hex(N):"
// data keeps its type number and bytes.
RegFileContents parseRegFile(std::string_view text, std::string_view rootName);

// Writes `contents` as a REGEDIT4 file: keys sorted by path ignoring case, each parent of a
// listed key written before it, values in their order. A string holding a line break or
// NUL is written as "hex(1):" so that the file stays one value per line.
std::string formatRegFile(const RegFileContents& contents, std::string_view rootName);

}  // namespace platform
