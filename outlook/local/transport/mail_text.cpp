#include "outlook/local/transport/mail_text.h"

#include <algorithm>
#include <stdexcept>

#include "outlook/local/transport/gmime_support.h"
#include "platform/text.h"
#include "platform/utf8_text.h"

namespace outlook::local::transport {

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool hasBlankOrControl(std::string_view text) {
    for (unsigned char c : text)
        if (c == ' ' || isControl(c)) return true;
    return false;
}

// Whether GMime reads the text back as exactly one mailbox with this address and no name.
bool isOneMailbox(const std::string& address) {
    ensureGMimeInitialised();
    GObjectPtr<InternetAddressList> list(internet_address_list_parse(nullptr, address.c_str()));
    if (!list || internet_address_list_length(list.get()) != 1) return false;
    InternetAddress* parsed = internet_address_list_get_address(list.get(), 0);
    if (!INTERNET_ADDRESS_IS_MAILBOX(parsed)) return false;
    const char* name = internet_address_get_name(parsed);
    const char* addr = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(parsed));
    return (!name || !*name) && addr && address == addr;
}

}  // namespace

std::string oneLine(std::string_view text) {
    const std::string valid = platform::validUtf8(text);
    std::string out;
    out.reserve(valid.size());
    bool inBreak = false;
    for (unsigned char c : valid) {
        if (c == '\r' || c == '\n' || c == '\t') {
            if (!inBreak) out += ' ';
            inBreak = true;
            continue;
        }
        inBreak = false;
        if (!isControl(c)) out += static_cast<char>(c);
    }
    return std::string(platform::trimmed(out));
}

std::string partText(std::string_view text) {
    const std::string valid = platform::validUtf8(text);
    std::string out;
    out.reserve(valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        const unsigned char c = valid[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < valid.size() && valid[i + 1] == '\n') ++i;
        } else if (c == '\n' || c == '\t' || c == '\f' || !isControl(c)) {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string attachmentFileName(std::string_view fileName) {
    std::string name = oneLine(fileName);
    const std::size_t folder = name.find_last_of("/\\");
    if (folder != std::string::npos) name.erase(0, folder + 1);
    return std::string(platform::trimmed(name));
}

std::string checkedAddress(std::string_view address) {
    const std::string trimmed(platform::trimmed(address));
    if (trimmed.empty()) throw std::invalid_argument("An e-mail address is empty");
    if (hasBlankOrControl(trimmed) || !platform::isValidUtf8(trimmed) || !isOneMailbox(trimmed))
        throw std::invalid_argument("'" + oneLine(trimmed) + "' is not one e-mail address");
    return trimmed;
}

std::string checkedMessageId(std::string_view messageId) {
    std::string_view id = platform::trimmed(messageId);
    if (id.size() >= 2 && id.front() == '<' && id.back() == '>') id = id.substr(1, id.size() - 2);
    if (id.empty()) throw std::invalid_argument("The message has no Message-ID");
    // A Message-ID is printable ASCII: recipients compare it byte for byte in their replies.
    const bool printable = std::all_of(id.begin(), id.end(), [](unsigned char c) {
        return c > ' ' && c < 0x7F && c != '<' && c != '>';
    });
    if (!printable) throw std::invalid_argument("'" + oneLine(messageId) + "' is not a Message-ID");
    return std::string(id);
}

}  // namespace outlook::local::transport
