#pragma once

#include <string>

#include "../aliases/alias_store.h"
#include "token.h"
#include "working_record.h"

namespace sentex {

// Finds keywords in the raw tokens: first one at the very front, possibly addressed with
// "please" or "fyi", then every further one, each filling only the fields still empty.
class KeywordRecognizer {
public:
    KeywordRecognizer(const AliasStore& store, std::string& scratch)
        : store_(store), candidate_(scratch) {}

    void recognizeLeading(TokenList& rawTokens, WorkingRecord& record);
    void scan(TokenList& rawTokens, WorkingRecord& record);

private:
    const KeywordPrefix* prefixOf(const Token& t) const { return store_.findKeywordPrefix(t.text); }
    // The longest keyword that starts with `first` (already taken, and a keyword prefix as
    // `prefix` tells). Leaves the list after the keyword, or after `first` when there is
    // none.
    const AliasTargets* longestMatch(TokenList& tokens, const Token& first,
                                     const KeywordPrefix& prefix);

    const AliasStore& store_;
    std::string& candidate_;
};

}  // namespace sentex
