#include "alias_store.h"

#include <utility>

namespace sentex {
namespace {

// Calls f with each word prefix of a canonical text: its first word, its first two words
// joined by a blank, and so on up to the whole text.
template <class F>
void forEachWordPrefix(std::string_view canonical, F&& f) {
    for (std::size_t blank = canonical.find(' '); blank != std::string_view::npos;
         blank = canonical.find(' ', blank + 1))
        f(canonical.substr(0, blank));
    f(canonical);
}

}  // namespace

bool AliasStore::insertAlias(std::string_view canonical, AliasTargets targets) {
    if (canonical.empty() || aliasRecords_.contains(canonical)) return false;
    aliasRecords_.insertOrAssign(canonical, std::move(targets));
    registerPrefixes(canonical);
    return true;
}

bool AliasStore::removeAlias(std::string_view canonical) {
    if (!aliasRecords_.contains(canonical)) return false;
    // The caller's text may view the stored key, which goes with the record.
    const std::string key(canonical);
    aliasRecords_.erase(key);
    withdrawPrefixes(key);
    return true;
}

void AliasStore::clear() {
    aliasRecords_.clear();
    aliasPrefixes_.clear();
}

void AliasStore::registerPrefixes(std::string_view canonical) {
    forEachWordPrefix(canonical, [this](std::string_view prefix) {
        if (int32_t* count = aliasPrefixes_.find(prefix))
            ++*count;
        else
            aliasPrefixes_.insertOrAssign(prefix, 1);
    });
}

void AliasStore::withdrawPrefixes(std::string_view canonical) {
    forEachWordPrefix(canonical, [this](std::string_view prefix) {
        int32_t* count = aliasPrefixes_.find(prefix);
        if (!count) return;
        if (*count <= 1)
            aliasPrefixes_.erase(prefix);
        else
            --*count;
    });
}

}  // namespace sentex
