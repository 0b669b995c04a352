#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "../parser/string_hash_map.h"

namespace sentex {

// The three targets a keyword names; an empty text names none.
struct AliasTargets {
    std::string list, project, contact;
};

// The user's keywords ("aliases"), kept in canonical form: lowercase tokens joined by
// one blank. Beside every keyword it counts each of its word prefixes, so that the
// parser can ask whether a run of tokens may still grow into a keyword.
class AliasStore {
public:
    bool empty() const { return aliasRecords_.empty(); }

    // Whether the text is the first one or more whole words of some keyword.
    bool isKeywordPrefix(std::string_view text) const { return aliasPrefixes_.contains(text); }
    // The targets of the keyword with exactly this text, or null.
    const AliasTargets* findKeyword(std::string_view text) const {
        return aliasRecords_.find(text);
    }

    // Adds a keyword given in canonical form; false when it is empty or already there.
    bool insertAlias(std::string_view canonical, AliasTargets targets);
    // Removes a keyword given in canonical form; false when there is none.
    bool removeAlias(std::string_view canonical);
    void clear();

private:
    void registerPrefixes(std::string_view canonical);
    void withdrawPrefixes(std::string_view canonical);

    StringHashMap<AliasTargets> aliasRecords_;
    StringHashMap<int32_t> aliasPrefixes_;
};

}  // namespace sentex
