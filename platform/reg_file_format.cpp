#include "platform/reg_file_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>

namespace platform {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Binary data is wrapped so that no line is longer than this.
constexpr std::size_t kLineWidth = 80;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::uint32_t> parseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t result = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        result = result << 4 | static_cast<std::uint32_t>(d);
    }
    return result;
}

bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

// Orders paths part by part ignoring case, so that a key comes right before its subkeys.
struct KeyPathLess {
    bool operator()(std::string_view a, std::string_view b) const {
        const auto rank = [](char c) -> unsigned {
            return c == '\\' ? 0u : static_cast<unsigned char>(lowerAscii(c)) + 1u;
        };
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i)
            if (rank(a[i]) != rank(b[i])) return rank(a[i]) < rank(b[i]);
        return a.size() < b.size();
    }
};

// True when `path` is `ancestor` or lies below it.
bool isSameOrBelow(std::string_view path, std::string_view ancestor) {
    if (ancestor.empty()) return true;
    if (path.size() < ancestor.size() ||
        !equalsIgnoreCase(path.substr(0, ancestor.size()), ancestor))
        return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == '\\';
}

// The length of the longest run of whole parts both paths start with, ignoring case.
std::size_t commonPartsLength(std::string_view a, std::string_view b) {
    std::size_t common = 0;
    for (std::size_t i = 0;; ++i) {
        const bool endA = i == a.size() || a[i] == '\\';
        const bool endB = i == b.size() || b[i] == '\\';
        if (endA || endB) {
            if (endA && endB) common = i;
            if (i == a.size() || i == b.size() || !(endA && endB)) return common;
        } else if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return common;
        }
    }
}

// Reads a quoted text starting at s[pos] == '"' and moves pos past its closing quote.
// Returns why it cannot be read, or nullptr.
const char* readQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    out.clear();
    for (++pos; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '"') {
            ++pos;
            return nullptr;
        }
        if (c == '\\') {
            if (pos + 1 == s.size()) break;
            const char escaped = s[++pos];
            if (escaped != '\\' && escaped != '"') return "unknown escape";
            out += escaped;
        } else {
            out += c;
        }
    }
    return "unterminated text";
}

// Reads "01,ff,..." (blanks allowed around the commas, nothing for no bytes).
bool readBytes(std::string_view list, std::string& out) {
    list = trim(list);
    if (list.empty()) return true;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view item = trim(list.substr(0, comma));
        if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0) return false;
        out += static_cast<char>(hexDigit(item[0]) << 4 | hexDigit(item[1]));
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

const char* rawValue(std::uint32_t type, std::string bytes, RegistryValue& out) {
    if (type == static_cast<std::uint32_t>(RegistryType::String)) {
        if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
        out = RegistryValue::ofString(std::move(bytes));
        return nullptr;
    }
    if (type == static_cast<std::uint32_t>(RegistryType::Dword)) {
        if (bytes.size() != 4) return "dword data is not four bytes";
        std::uint32_t dword = 0;
        for (int i = 3; i >= 0; --i)
            dword = dword << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        out = RegistryValue::ofDword(dword);
        return nullptr;
    }
    out = RegistryValue{static_cast<RegistryType>(type), {}, 0, std::move(bytes)};
    return nullptr;
}

// Reads the data after "=". Returns why it cannot be read, or nullptr.
const char* readData(std::string_view data, RegistryValue& out) {
    if (data.empty()) return "no data";
    if (data[0] == '"') {
        std::size_t pos = 0;
        std::string text;
        if (const char* why = readQuoted(data, pos, text)) return why;
        if (!trim(data.substr(pos)).empty()) return "text after the closing quote";
        out = RegistryValue::ofString(std::move(text));
        return nullptr;
    }
    if (startsWithIgnoreCase(data, "dword:")) {
        const std::string_view digits = data.substr(6);
        const auto dword = digits.size() == 8 ? parseHex(digits) : std::nullopt;
        if (!dword) return "bad dword";
        out = RegistryValue::ofDword(*dword);
        return nullptr;
    }
    if (startsWithIgnoreCase(data, "hex")) {
        data.remove_prefix(3);
        auto type = static_cast<std::uint32_t>(RegistryType::Binary);
        if (!data.empty() && data[0] == '(') {
            const std::size_t close = data.find(')');
            const auto number = close == std::string_view::npos
                                    ? std::nullopt
                                    : parseHex(data.substr(1, close - 1));
            if (!number) return "bad value type";
            type = *number;
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data[0] != ':') return "bad value type";
        std::string bytes;
        if (!readBytes(data.substr(1), bytes)) return "bad hex data";
        return rawValue(type, std::move(bytes), out);
    }
    return "unknown value type";
}

class Parser {
public:
    Parser(std::string_view text, std::string_view rootName) : rootName_(rootName) {
        if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            if (end == std::string_view::npos) break;
            text.remove_prefix(end + 1);
        }
    }

    RegFileContents run() && {
        bool headerSeen = false;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string_view line = trim(lines_[i]);
            if (line.empty() || line.front() == ';') continue;
            if (!headerSeen) {
                headerSeen = true;
                if (line == kHeader) continue;
                out_.unreadable.push_back({i + 1, "", "no REGEDIT4 line at the start"});
            }
            if (line.front() == '[')
                readKeyLine(i, line);
            else
                i = readValueLines(i);
        }
        return std::move(out_);
    }

private:
    void unreadable(std::size_t first, std::size_t last, const char* reason) {
        std::string text;
        for (std::size_t i = first; i <= last; ++i) {
            if (i > first) text += '\n';
            text += lines_[i];
        }
        out_.unreadable.push_back({first + 1, std::move(text), reason});
    }

    void readKeyLine(std::size_t index, std::string_view line) {
        key_.reset();
        if (line.size() < 2 || line.back() != ']') return unreadable(index, index, "cut-off key");
        const std::string_view inner = line.substr(1, line.size() - 2);
        const std::size_t separator = inner.find('\\');
        if (!equalsIgnoreCase(inner.substr(0, separator), rootName_))
            return unreadable(index, index, "key outside this file's root");
        const std::string_view path =
            separator == std::string_view::npos ? std::string_view() : inner.substr(separator + 1);
        key_ = static_cast<std::size_t>(&out_.addKey(path) - out_.keys.data());
    }

    // Reads the value starting at line `first` with its continuation lines; returns the
    // index of the last line it used.
    std::size_t readValueLines(std::size_t first) {
        std::size_t last = first;
        std::string line(trim(lines_[first]));
        // Binary data goes on over lines ending in "\"; a continuation starts with a hex
        // digit, so a cut-off value does not swallow the key or value that follows.
        while (!line.empty() && line.back() == '\\' && last + 1 < lines_.size()) {
            const std::string_view next = trim(lines_[last + 1]);
            if (next.empty() || hexDigit(next.front()) < 0) break;
            line.pop_back();
            line += next;
            ++last;
        }
        if (!key_) {
            unreadable(first, last, "value outside any key");
            return last;
        }
        std::string name;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] != '"') {
            unreadable(first, last, "neither a key nor a value");
            return last;
        } else if (const char* why = readQuoted(line, pos, name)) {
            unreadable(first, last, why);
            return last;
        }
        const std::string_view rest = trim(std::string_view(line).substr(pos));
        RegistryValue value;
        const char* why = rest.empty() || rest[0] != '=' ? "no '=' after the name"
                                                         : readData(trim(rest.substr(1)), value);
        if (why)
            unreadable(first, last, why);
        else
            out_.keys[*key_].set(name, std::move(value));
        return last;
    }

    std::string_view rootName_;
    std::vector<std::string_view> lines_;
    RegFileContents out_;
    std::optional<std::size_t> key_;  // the key whose values are being read
};

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void appendBytes(std::string& out, std::string_view bytes, std::size_t lineStart) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::size_t column = out.size() - lineStart;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool lastByte = i + 1 == bytes.size();
        // Room for "xx," and the "\" that continues the line.
        if (i > 0 && column + 4 > kLineWidth) {
            out += "\\\n  ";
            column = 2;
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 15];
        if (!lastByte) out += ',';
        column += 3;
    }
}

void appendValue(std::string& out, const RegNamedValue& named) {
    const std::size_t lineStart = out.size();
    if (named.name.empty())
        out += '@';
    else
        appendQuoted(out, named.name);
    out += '=';
    const RegistryValue& value = named.value;
    char prefix[32];
    switch (value.type) {
        case RegistryType::String:
            if (value.text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
                appendQuoted(out, value.text);
            } else {
                out += "hex(1):";
                appendBytes(out, std::string(value.text) + '\0', lineStart);
            }
            break;
        case RegistryType::Dword:
            std::snprintf(prefix, sizeof prefix, "dword:%08x", static_cast<unsigned>(value.dword));
            out += prefix;
            break;
        case RegistryType::Binary:
            out += "hex:";
            appendBytes(out, value.bytes, lineStart);
            break;
        default:
            std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
            out += prefix;
            appendBytes(out, value.bytes, lineStart);
            break;
    }
    out += '\n';
}

}  // namespace

std::string_view registryRootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::string normalizeKeyPath(std::string_view path) {
    std::string result;
    while (!path.empty()) {
        const std::size_t separator = path.find('\\');
        const std::string_view part = path.substr(0, separator);
        if (!part.empty()) {
            if (!result.empty()) result += '\\';
            result += part;
        }
        if (separator == std::string_view::npos) break;
        path.remove_prefix(separator + 1);
    }
    return result;
}

const RegistryValue* RegKeyEntry::find(std::string_view name) const {
    for (const auto& named : values)
        if (equalsIgnoreCase(named.name, name)) return &named.value;
    return nullptr;
}

void RegKeyEntry::set(std::string_view name, RegistryValue value) {
    for (auto& named : values) {
        if (equalsIgnoreCase(named.name, name)) {
            named.value = std::move(value);
            return;
        }
    }
    values.push_back({std::string(name), std::move(value)});
}

bool RegKeyEntry::erase(std::string_view name) {
    const auto it = std::find_if(values.begin(), values.end(), [&](const RegNamedValue& named) {
        return equalsIgnoreCase(named.name, name);
    });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

RegKeyEntry* RegFileContents::findKey(std::string_view path) {
    const std::string normalized = normalizeKeyPath(path);
    for (auto& key : keys)
        if (equalsIgnoreCase(key.path, normalized)) return &key;
    return nullptr;
}

const RegKeyEntry* RegFileContents::findKey(std::string_view path) const {
    return const_cast<RegFileContents*>(this)->findKey(path);
}

bool RegFileContents::keyExists(std::string_view path) const {
    const std::string normalized = normalizeKeyPath(path);
    return normalized.empty() || std::any_of(keys.begin(), keys.end(), [&](const RegKeyEntry& key) {
               return isSameOrBelow(key.path, normalized);
           });
}

RegKeyEntry& RegFileContents::addKey(std::string_view path) {
    std::string spelled = normalizeKeyPath(path);
    if (RegKeyEntry* existing = findKey(spelled)) return *existing;
    for (const auto& key : keys) {
        const std::size_t common = commonPartsLength(spelled, key.path);
        spelled.replace(0, common, key.path, 0, common);
    }
    keys.push_back({std::move(spelled), {}});
    return keys.back();
}

RegFileContents parseRegFile(std::string_view text, std::string_view rootName) {
    return Parser(text, rootName).run();
}

std::string formatRegFile(const RegFileContents& contents, std::string_view rootName) {
    // Every listed key and its ancestors, once each; ancestors that are not listed have no
    // values.
    std::map<std::string, const RegKeyEntry*, KeyPathLess> sections;
    for (const auto& key : contents.keys) {
        if (key.path.empty() && key.values.empty()) continue;
        for (std::size_t end = key.path.find('\\'); end != std::string::npos;
             end = key.path.find('\\', end + 1))
            sections.try_emplace(key.path.substr(0, end), nullptr);
        sections.insert_or_assign(key.path, &key);
    }

    std::string out(kHeader);
    out += "\n\n";
    for (const auto& [path, key] : sections) {
        out += '[';
        out += rootName;
        if (!path.empty()) {
            out += '\\';
            out += path;
        }
        out += "]\n";
        if (key)
            for (const auto& named : key->values)
                appendValue(out, named);
        out += '\n';
    }
    return out;
}

}  // namespace platform
