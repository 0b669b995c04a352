#include "sentex_parse_output.h"

#include <cstdio>
#include <cstring>

namespace {

struct TextSlot {
    const char* name;
    const char* value;
};
struct NumberSlot {
    const char* name;
    long value;
};

int32_t recurInterval(const TParseResults& r) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | r.recurInterval[i];
    return static_cast<int32_t>(v);
}

// The slots in record order; a slot is read only up to its 128 bytes.
void forEachSlot(const TParseResults& r, auto&& text, auto&& number) {
    const TextSlot texts[] = {{"list", r.list},       {"project", r.project},
                              {"contact", r.contact}, {"recipient", r.recipient},
                              {"date", r.date},       {"startTime", r.startTime},
                              {"endTime", r.endTime}, {"spare", r.spare}};
    for (const TextSlot& s : texts)
        text(s.name, std::string_view(s.value, strnlen(s.value, SENTEX_TEXT_SLOT)));
    const NumberSlot numbers[] = {{"isRecurring", r.isRecurring},
                                  {"recurUnit", r.recurUnit},
                                  {"recurDays", r.recurDays},
                                  {"recurNth", r.recurNth},
                                  {"recurInterval", recurInterval(r)},
                                  {"isFyi", r.isFyi},
                                  {"reserved", r.reserved}};
    for (const NumberSlot& s : numbers)
        number(s.name, s.value);
}

// A JSON string; bytes that are not valid UTF-8 become U+FFFD.
void writeJsonString(std::ostream& out, std::string_view s) {
    out << '"';
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out << '\\' << static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out << escaped;
            ++i;
        } else if (c < 0x80) {
            out << static_cast<char>(c);
            ++i;
        } else {
            std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
            bool valid = length > 0 && c <= 0xF4 && i + length <= s.size();
            for (std::size_t k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
            if (valid && length == 3) {
                const auto c1 = static_cast<unsigned char>(s[i + 1]);
                valid = !(c == 0xE0 && c1 < 0xA0) && !(c == 0xED && c1 >= 0xA0);
            }
            if (valid && length == 4) {
                const auto c1 = static_cast<unsigned char>(s[i + 1]);
                valid = !(c == 0xF0 && c1 < 0x90) && !(c == 0xF4 && c1 >= 0x90);
            }
            if (valid) {
                out << s.substr(i, length);
                i += length;
            } else {
                out << "\xEF\xBF\xBD";
                ++i;
            }
        }
    }
    out << '"';
}

}  // namespace

void printResultText(std::ostream& out, std::string_view input, const TParseResults& result) {
    out << "text: " << input << '\n';
    forEachSlot(
        result, [&](const char* name, std::string_view v) { out << name << ": " << v << '\n'; },
        [&](const char* name, long v) { out << name << ": " << v << '\n'; });
}

void printResultJson(std::ostream& out, std::string_view input, const TParseResults& result) {
    out << "{\"text\":";
    writeJsonString(out, input);
    forEachSlot(
        result,
        [&](const char* name, std::string_view v) {
            out << ",\"" << name << "\":";
            writeJsonString(out, v);
        },
        [&](const char* name, long v) { out << ",\"" << name << "\":" << v; });
    out << "}\n";
}
