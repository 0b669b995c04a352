#include "outlook/local/store/recipient_resolver.h"

#include <set>

#include "outlook/local/store/address_book_data.h"
#include "platform/text.h"

namespace outlook::local {

using platform::lowerAscii;
using platform::trimmed;

bool looksLikeEmailAddress(std::string_view text) {
    const auto at = text.find('@');
    if (at == std::string_view::npos || at == 0 || text.find('@', at + 1) != std::string_view::npos)
        return false;
    for (char c : text)
        if (c == ' ' || c == '\t' || c == '<' || c == '>' || c == '(' || c == ')' || c == ';' ||
            c == ',')
            return false;
    const std::string_view domain = text.substr(at + 1);
    const auto dot = domain.rfind('.');
    return dot != std::string_view::npos && dot > 0 && dot + 1 < domain.size();
}

bool resolveRecipient(AddressBookData& book, RecipientRecord& recipient) {
    const std::string name(trimmed(recipient.name));
    if (name.empty()) return false;
    const auto matches = book.find(name);
    std::set<std::string> distinct;
    for (const auto& match : matches) {
        std::string key =
            match.address.empty() ? "list:" + mapi::HexFromBin(match.entry) : std::string();
        for (char c : match.address)
            key += lowerAscii(c);
        distinct.insert(key);
    }
    if (distinct.size() == 1) {
        const auto& match = matches.front();
        recipient.address = match.address;
        recipient.displayName = match.displayName;
        recipient.entry = match.entry;
        recipient.resolved = true;
        return true;
    }
    if (matches.empty() && looksLikeEmailAddress(name)) {
        recipient.address = name;
        recipient.displayName = name;
        recipient.entry.clear();
        recipient.resolved = true;
        return true;
    }
    return false;
}

}  // namespace outlook::local
