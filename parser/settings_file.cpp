#include "settings_file.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "own_path.h"
#include "text.h"

namespace sentex {

SettingsFile SettingsFile::fromText(std::string_view text) {
    SettingsFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trimWhiteSpace(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = asciiLower(
                line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            section = std::string(trimWhiteSpace(section));
            inSection = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string_view value = trimWhiteSpace(line.substr(equals + 1));
        value = trimWhiteSpace(value.substr(0, kMaxValueLength));
        file.entries_.push_back(
            Entry{section, asciiLower(trimWhiteSpace(line.substr(0, equals))), std::string(value)});
    }
    return file;
}

SettingsFile SettingsFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return SettingsFile();
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return fromText(text);
}

std::optional<std::string> SettingsFile::value(std::string_view section,
                                               std::string_view key) const {
    const std::string wantedSection = asciiLower(section);
    const std::string wantedKey = asciiLower(key);
    for (const Entry& e : entries_)
        if (e.section == wantedSection && e.key == wantedKey) return e.value;
    return std::nullopt;
}

std::string settingsFilePath() {
    const std::string dir = ownExecutableDirectory();
    return dir.empty() ? std::string() : dir + "/sentex.ini";
}

}  // namespace sentex
