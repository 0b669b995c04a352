#include "outlook/local/cli/vcard_reader.h"

#include <algorithm>
#include <optional>

#include "platform/text.h"
#include "platform/utf8_text.h"

namespace outlook::local {

using platform::equalsIgnoreCase;
using platform::trimmed;
namespace {

struct Property {
    std::string name;                 // upper case, without group
    std::vector<std::string> params;  // upper case, as NAME=VALUE or bare
    std::string value;                // raw
    int line = 0;
};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool hasParam(const Property& p, std::string_view bare, std::string_view typeValue) {
    for (const auto& param : p.params) {
        if (param == bare) return true;
        const auto eq = param.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = param.substr(0, eq);
        if (key != "TYPE" && key != "ENCODING" && key != "CHARSET") continue;
        std::string values = param.substr(eq + 1);
        std::erase(values, '"');
        std::size_t start = 0;
        while (start <= values.size()) {
            const auto comma = std::min(values.find(',', start), values.size());
            if (values.substr(start, comma - start) == typeValue) return true;
            start = comma + 1;
        }
    }
    return false;
}

bool isQuotedPrintable(const Property& p) {
    return hasParam(p, "QUOTED-PRINTABLE", "QUOTED-PRINTABLE");
}

std::optional<std::string> decodeQuotedPrintable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size()) break;  // a soft line break at the very end
        if (i + 2 >= text.size()) return std::nullopt;
        const auto hex = [](char c) {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            return -1;
        };
        const int high = hex(text[i + 1]), low = hex(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return out;
}

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Splits a structured value at unescaped semicolons and resolves the escapes.
std::vector<std::string> components(std::string_view value) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            parts.back() += next == 'n' || next == 'N' ? '\n' : next;
        } else if (c == ';') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    for (auto& part : parts)
        part = std::string(trimmed(part));
    return parts;
}

std::string component(const std::vector<std::string>& parts, std::size_t index) {
    return index < parts.size() ? parts[index] : std::string();
}

// The physical lines of the text, without their line ends.
std::vector<std::string> physicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<Property> parseLine(const std::string& line, int number) {
    // The value starts at the first colon outside a quoted parameter value.
    bool quoted = false;
    std::size_t colon = std::string::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string::npos) return std::nullopt;
    Property p;
    p.line = number;
    p.value = line.substr(colon + 1);
    std::vector<std::string> head;
    std::size_t start = 0;
    const std::string left = line.substr(0, colon);
    while (start <= left.size()) {
        const auto semi = std::min(left.find(';', start), left.size());
        head.push_back(upper(trimmed(std::string_view(left).substr(start, semi - start))));
        start = semi + 1;
    }
    p.name = head.front();
    if (const auto dot = p.name.rfind('.'); dot != std::string::npos) p.name.erase(0, dot + 1);
    p.params.assign(head.begin() + 1, head.end());
    return p;
}

// Joins folded lines (and quoted-printable soft breaks) into logical properties.
std::vector<Property> logicalProperties(std::string_view text) {
    const auto lines = physicalLines(text);
    std::vector<Property> out;
    std::string current;
    int currentLine = 0;
    const auto flush = [&] {
        if (current.empty()) return;
        if (auto p = parseLine(current, currentLine)) out.push_back(std::move(*p));
        current.clear();
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !current.empty()) {
            current += line.substr(1);
            continue;
        }
        flush();
        current = line;
        currentLine = static_cast<int>(i + 1);
        // A quoted-printable value ending in '=' goes on in the next line.
        auto p = parseLine(current, currentLine);
        while (p && isQuotedPrintable(*p) && !current.empty() && current.back() == '=' &&
               i + 1 < lines.size()) {
            current.pop_back();
            current += lines[++i];
            p = parseLine(current, currentLine);
        }
    }
    flush();
    return out;
}

class CardBuilder {
public:
    explicit CardBuilder(int line) { card_.line = line; }

    // False with `reason` set when the property makes the card unusable.
    bool add(const Property& p, std::string& reason) {
        if (p.name == "VERSION") {
            const std::string version(trimmed(p.value));
            if (version != "2.1" && version != "3.0" && version != "4.0") {
                reason = "unsupported vCard version '" + platform::validUtf8(version) + "'";
                return false;
            }
            return true;
        }
        static const char* kUsed[] = {"N",   "FN",  "ORG",  "TITLE", "EMAIL",
                                      "TEL", "ADR", "NOTE", "UID",   "REV"};
        if (std::find(std::begin(kUsed), std::end(kUsed), p.name) == std::end(kUsed)) return true;
        std::string value = p.value;
        if (isQuotedPrintable(p)) {
            auto decoded = decodeQuotedPrintable(value);
            if (!decoded) {
                reason = "bad quoted-printable text in " + p.name + " (line " +
                         std::to_string(p.line) + ")";
                return false;
            }
            value = std::move(*decoded);
        }
        if (hasParam(p, "ISO-8859-1", "ISO-8859-1"))
            value = latin1ToUtf8(value);
        else
            value = platform::validUtf8(value);
        const auto parts = components(value);
        if (p.name == "N") {
            card_.familyName = component(parts, 0);
            card_.givenName = component(parts, 1);
            if (!component(parts, 2).empty())
                card_.givenName += (card_.givenName.empty() ? "" : " ") + component(parts, 2);
        } else if (p.name == "FN") {
            card_.formattedName = joined(parts);
        } else if (p.name == "ORG") {
            card_.organization = component(parts, 0);
        } else if (p.name == "TITLE") {
            card_.title = joined(parts);
        } else if (p.name == "EMAIL") {
            const bool preferred = hasParam(p, "PREF", "PREF") ||
                                   std::any_of(p.params.begin(), p.params.end(), [](const auto& x) {
                                       return x.rfind("PREF=", 0) == 0;
                                   });
            if (card_.email.empty() || (preferred && !emailPreferred_)) {
                card_.email = joined(parts);
                emailPreferred_ = preferred;
            }
        } else if (p.name == "TEL") {
            addPhone(p, joined(parts));
        } else if (p.name == "ADR") {
            if (card_.hasWorkAddress || !hasParam(p, "WORK", "WORK")) return true;
            card_.hasWorkAddress = true;
            auto& a = card_.workAddress;
            a.postOfficeBox = component(parts, 0);
            a.extended = component(parts, 1);
            a.street = component(parts, 2);
            if (!a.extended.empty()) a.street += (a.street.empty() ? "" : "\n") + a.extended;
            a.locality = component(parts, 3);
            a.region = component(parts, 4);
            a.postalCode = component(parts, 5);
            a.country = component(parts, 6);
        } else if (p.name == "NOTE") {
            card_.note = joined(parts);
        } else if (p.name == "UID") {
            card_.uid = joined(parts);
        } else if (p.name == "REV") {
            card_.revision = joined(parts);
        }
        return true;
    }

    // The card, or nothing with `reason` when it has no name.
    std::optional<VCard> finish(std::string& reason) {
        if (card_.givenName.empty() && card_.familyName.empty() && card_.formattedName.empty() &&
            card_.organization.empty()) {
            reason = "the card has no name (N, FN or ORG)";
            return std::nullopt;
        }
        return card_;
    }

private:
    // A work number wins over one without a type; home, cell, fax and other typed numbers
    // are never taken for the work phone.
    void addPhone(const Property& p, std::string number) {
        // A vCard 4.0 number may be a tel: URI.
        if (number.size() > 4 && equalsIgnoreCase(std::string_view(number).substr(0, 4), "tel:"))
            number.erase(0, 4);
        if (number.empty() || workPhoneTyped_) return;
        if (hasParam(p, "WORK", "WORK")) {
            card_.workPhone = std::move(number);
            workPhoneTyped_ = true;
        } else if (card_.workPhone.empty() && !hasType(p)) {
            card_.workPhone = std::move(number);
        }
    }

    // Whether the property names a type, as TYPE=... or as a vCard 2.1 bare word (HOME, CELL).
    static bool hasType(const Property& p) {
        static const char* kNotTypes[] = {"PREF", "QUOTED-PRINTABLE", "BASE64", "8BIT", "7BIT"};
        return std::any_of(p.params.begin(), p.params.end(), [](const std::string& param) {
            if (param.rfind("TYPE=", 0) == 0) return true;
            if (param.find('=') != std::string::npos) return false;
            return std::find(std::begin(kNotTypes), std::end(kNotTypes), param) ==
                   std::end(kNotTypes);
        });
    }

    // An unstructured value whose semicolons were escaped, or not.
    static std::string joined(const std::vector<std::string>& parts) {
        std::string out;
        for (std::size_t i = 0; i < parts.size(); ++i)
            out += (i ? ";" : "") + parts[i];
        return out;
    }

    VCard card_;
    bool emailPreferred_ = false;
    bool workPhoneTyped_ = false;
};

}  // namespace

VCardFile readVCards(std::string_view text) {
    VCardFile file;
    std::optional<CardBuilder> builder;
    std::string failure;
    int cardNumber = 0, cardLine = 0;
    const auto skip = [&](int line, std::string reason) {
        file.problems.push_back({cardNumber, line, std::move(reason)});
        builder.reset();
    };
    for (const Property& p : logicalProperties(text)) {
        if (p.name == "BEGIN" && equalsIgnoreCase(trimmed(p.value), "VCARD")) {
            if (builder || !failure.empty())
                skip(cardLine,
                     failure.empty() ? "the card is not ended before the next one" : failure);
            failure.clear();
            ++cardNumber;
            cardLine = p.line;
            builder.emplace(p.line);
            continue;
        }
        if (p.name == "END" && equalsIgnoreCase(trimmed(p.value), "VCARD")) {
            if (!failure.empty()) {
                skip(cardLine, failure);
                failure.clear();
                continue;
            }
            if (!builder) {
                file.problems.push_back({cardNumber + 1, p.line, "END:VCARD without BEGIN:VCARD"});
                continue;
            }
            std::string reason;
            if (auto card = builder->finish(reason))
                file.cards.push_back(std::move(*card));
            else
                file.problems.push_back({cardNumber, cardLine, reason});
            builder.reset();
            continue;
        }
        if (!builder || !failure.empty()) continue;
        std::string reason;
        if (!builder->add(p, reason)) {
            failure = reason;
            builder.reset();
        }
    }
    if (builder || !failure.empty())
        skip(cardLine, failure.empty() ? "the card is not ended (no END:VCARD)" : failure);
    return file;
}

}  // namespace outlook::local
