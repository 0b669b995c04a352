#include "name_forms.h"

#include "../parser/text.h"

namespace sentex {

std::string_view displayForm(std::string_view name) {
    return trimWhiteSpace(name);
}

std::string nameKey(std::string_view name) {
    return lowercase(displayForm(name));
}

std::string canonicalForm(Vocabulary& tokenizer, std::string_view text) {
    tokenizer.tokenizeRaw(text);
    std::string canonical;
    for (const Token& t : tokenizer.lists().rawTokens) {
        if (!canonical.empty()) canonical += ' ';
        canonical += t.text;
    }
    return canonical;
}

std::string_view firstToken(std::string_view canonical) {
    return canonical.substr(0, canonical.find(' '));
}

}  // namespace sentex
