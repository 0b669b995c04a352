#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sentex {

// An initialisation file of [section] lines and key=value lines, read the way the
// Windows profile-string call reads one: section and key names match without regard
// to letter case, the first occurrence wins, values are trimmed and cut at 255 bytes.
class SettingsFile {
public:
    static constexpr std::size_t kMaxValueLength = 255;

    SettingsFile() = default;  // no file: every lookup falls back to its default
    static SettingsFile fromText(std::string_view text);
    // A missing or unreadable file is the same as an empty one.
    static SettingsFile load(const std::string& path);

    // The value of the key, or nothing when the section or key is absent. A key that is
    // present with an empty value gives an empty text.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

private:
    struct Entry {
        std::string section;  // lowercased
        std::string key;      // lowercased
        std::string value;
    };
    std::vector<Entry> entries_;
};

// The settings file beside the running program: sentex.ini in the folder of the
// process's executable.
std::string settingsFilePath();

}  // namespace sentex
