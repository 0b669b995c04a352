#include "outlook/local/mirror/vcard_writer.h"

#include <ctime>
#include <vector>

#include "platform/text.h"
#include "platform/utf8_text.h"

namespace outlook::local::mirror {

using namespace mapi;

namespace {

constexpr std::size_t kLineOctets = 75;
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;

// A text value with backslash, comma, semicolon and line breaks escaped. What is not
// well-formed UTF-8 becomes U+FFFD, and control characters other than tab go: a vCard
// cannot carry them.
std::string escaped(std::string_view raw) {
    const std::string text = platform::withoutControlCharacters(platform::validUtf8(raw));
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string structured(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? ";" : "") + escaped(parts[i]);
    return out;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Appends one content line, folded: each physical line at most 75 octets, continued lines
// beginning with a space.
void appendLine(std::string& out, const std::string& line) {
    std::size_t start = 0, limit = kLineOctets;
    while (line.size() - start > limit) {
        std::size_t cut = start + limit;
        while (cut > start && isContinuationByte(line[cut]))
            --cut;
        out.append(line, start, cut - start);
        out += "\r\n ";
        start = cut;
        limit = kLineOctets - 1;  // the leading space counts
    }
    out.append(line, start, std::string::npos);
    out += "\r\n";
}

std::string utcStamp(FileTime time) {
    const std::int64_t ticks = time.ticks - kUnixEpochTicks;
    std::int64_t seconds = ticks / kTicksPerSecond;
    if (ticks % kTicksPerSecond < 0) --seconds;
    const auto unix = static_cast<std::time_t>(seconds);
    std::tm fields{};
    gmtime_r(&unix, &fields);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &fields);
    return text;
}

std::string trimmedString(const std::string& text) {
    return std::string(platform::trimmed(text));
}

}  // namespace

std::string vCardOf(const ItemRecord& contact, const KnownTags& known, const std::string& uid) {
    const PropertyBag& p = contact.props;
    std::string out;
    const auto line = [&](const std::string& text) { appendLine(out, text); };
    const auto optional = [&](const char* name, const std::string& value) {
        if (!trimmedString(value).empty()) line(std::string(name) + ":" + escaped(value));
    };

    line("BEGIN:VCARD");
    line("VERSION:4.0");
    line("PRODID:-//Jotwise//Jotwise vdir mirror//EN");
    // Not a URI: the same UID the contact's file is named by.
    line("UID;VALUE=text:" + uid);

    const std::string given = p.string(PR_GIVEN_NAME), family = p.string(PR_SURNAME);
    const std::string company = p.string(PR_COMPANY_NAME);
    const std::string email = trimmedString(p.string(known[Known::Email1Address]));
    // FN is required: the full name, else what the contact is filed as, its company or
    // its address.
    std::string formatted = trimmedString(p.string(PR_DISPLAY_NAME));
    for (const std::string& fallback : {p.string(known[Known::FileAs]), company, email})
        if (formatted.empty()) formatted = trimmedString(fallback);
    line("FN:" + escaped(formatted));
    line("N:" + structured({family, given, "", "", ""}));
    optional("ORG", company);
    optional("TITLE", p.string(PR_TITLE));
    optional("EMAIL", email);
    // The number as typed, which need not be a tel: URI.
    optional("TEL;TYPE=work;VALUE=text", p.string(PR_BUSINESS_TELEPHONE_NUMBER));

    const std::vector<std::string> address = {p.string(PR_POST_OFFICE_BOX),
                                              "",
                                              p.string(PR_STREET_ADDRESS),
                                              p.string(PR_LOCALITY),
                                              p.string(PR_STATE_OR_PROVINCE),
                                              p.string(PR_POSTAL_CODE),
                                              p.string(PR_COUNTRY)};
    bool hasAddress = false;
    for (const auto& part : address)
        hasAddress = hasAddress || !trimmedString(part).empty();
    if (hasAddress) line("ADR;TYPE=work:" + structured(address));

    optional("NOTE", p.string(PR_BODY));

    std::string categories;
    const std::string list = p.string(known[Known::Categories]);
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find_first_of(";,", start);
        if (end == std::string::npos) end = list.size();
        const std::string name(
            platform::trimmed(std::string_view(list).substr(start, end - start)));
        if (!name.empty()) categories += (categories.empty() ? "" : ",") + escaped(name);
        start = end + 1;
    }
    if (!categories.empty()) line("CATEGORIES:" + categories);
    if (const auto modified = p.time(PR_LAST_MODIFICATION_TIME)) line("REV:" + utcStamp(*modified));
    line("END:VCARD");
    return out;
}

}  // namespace outlook::local::mirror
