#include "alias_store.h"

#include <utility>
#include <vector>

#include "name_forms.h"

namespace sentex {
namespace {

constexpr TargetKind kKinds[] = {TargetKind::List, TargetKind::Project, TargetKind::Contact};

bool fits(std::string_view text) {
    return text.size() <= kMaxStoredText;
}

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

AliasStore::AliasStore(Vocabulary& tokenizer, const StringHashSet& noiseWords,
                       const StringHashSet& reservedWords)
    : tokenizer_(tokenizer), noiseWords_(noiseWords), reservedWords_(reservedWords) {}

bool AliasStore::isValidNewAlias(std::string_view canonical) const {
    return !canonical.empty() && fits(canonical) && !aliasRecords_.contains(canonical) &&
           !noiseWords_.contains(firstToken(canonical));
}

bool AliasStore::addAlias(std::string_view text, std::string_view list, std::string_view project,
                          std::string_view contact) {
    AliasRecord record;
    const std::string_view given[] = {list, project, contact};
    bool anyTarget = false;
    for (TargetKind kind : kKinds) {
        const std::string_view display = displayForm(given[slot(kind)]);
        if (display.empty()) continue;
        std::string key = nameKey(display);
        if (!fits(display) || !autoFill_[slot(kind)].contains(key)) return false;
        record.targets[kind] = std::string(display);
        record.targetKeys[slot(kind)] = std::move(key);
        anyTarget = true;
    }
    if (!anyTarget) return false;
    const std::string c = canonical(text);
    if (!isValidNewAlias(c)) return false;
    insertRecord(c, std::move(record));
    changed();
    return true;
}

bool AliasStore::deleteAlias(std::string_view text) {
    const std::string c = canonical(text);
    if (!aliasRecords_.contains(c)) return false;
    removeRecord(c);
    changed();
    return true;
}

bool AliasStore::renameAlias(std::string_view oldText, std::string_view newText) {
    const std::string o = canonical(oldText);
    const std::string n = canonical(newText);
    if (!isValidNewAlias(n)) return false;
    const AliasRecord* record = aliasRecords_.find(o);
    if (!record) return false;
    AliasRecord moved = *record;
    removeRecord(o);
    insertRecord(n, std::move(moved));
    changed();
    return true;
}

bool AliasStore::addName(TargetKind kind, std::string_view name) {
    const std::string_view display = displayForm(name);
    std::string key = nameKey(display);
    AutoFillIndex& names = autoFill_[slot(kind)];
    if (key.empty() || !fits(display) || !fits(key) || names.contains(key)) return false;
    names.add(std::move(key), std::string(display));
    changed();
    return true;
}

bool AliasStore::deleteName(TargetKind kind, std::string_view name) {
    const std::string key = nameKey(name);
    if (!autoFill_[slot(kind)].contains(key)) return false;
    autoFill_[slot(kind)].remove(key);
    for (std::string_view alias : aliasesNaming(kind, key)) {
        AliasRecord& record = *aliasRecords_.find(alias);
        unindexTarget(kind, record.targetKeys[slot(kind)], alias);
        record.targets[kind].clear();
        record.targetKeys[slot(kind)].clear();
        const AliasTargets& t = record.targets;
        // A keyword that now names nothing goes.
        if (t.list.empty() && t.project.empty() && t.contact.empty()) removeRecord(alias);
    }
    changed();
    return true;
}

bool AliasStore::renameName(TargetKind kind, std::string_view oldName, std::string_view newName) {
    const std::string oldKey = nameKey(oldName);
    const std::string_view newDisplay = displayForm(newName);
    const std::string newKey = nameKey(newDisplay);
    AutoFillIndex& names = autoFill_[slot(kind)];
    if (!names.contains(oldKey) || newKey.empty() || !fits(newDisplay) || !fits(newKey) ||
        names.contains(newKey))
        return false;
    names.remove(oldKey);
    names.add(newKey, std::string(newDisplay));
    for (std::string_view alias : aliasesNaming(kind, oldKey)) {
        AliasRecord& record = *aliasRecords_.find(alias);
        unindexTarget(kind, record.targetKeys[slot(kind)], alias);
        record.targets[kind] = std::string(newDisplay);
        record.targetKeys[slot(kind)] = newKey;
        aliasesByTarget_[slot(kind)].emplace(record.targetKeys[slot(kind)], alias);
    }
    changed();
    return true;
}

void AliasStore::clear() {
    aliasRecords_.clear();
    aliasPrefixes_.clear();
    prefixFilter_.clear();
    for (TargetKind kind : kKinds) {
        autoFill_[slot(kind)].clear();
        aliasesByTarget_[slot(kind)].clear();
    }
    changed();
}

// Only ever called with a text that is not yet a keyword.
void AliasStore::insertRecord(std::string_view canonical, AliasRecord record) {
    const AliasRecord& stored = aliasRecords_.insertOrAssign(canonical, std::move(record));
    // The index views the table's own copies of the texts, which live as long as the entry.
    indexTargets(aliasRecords_.storedKey(canonical), stored);
    registerPrefixes(canonical);
    aliasPrefixes_.find(canonical)->keyword = &stored.targets;
}

void AliasStore::removeRecord(std::string_view canonical) {
    const AliasRecord* record = aliasRecords_.find(canonical);
    if (!record) return;
    for (TargetKind kind : kKinds)
        if (!record->targetKeys[slot(kind)].empty())
            unindexTarget(kind, record->targetKeys[slot(kind)], canonical);
    // The whole text may stay a prefix of longer keywords, but no longer names this one.
    aliasPrefixes_.find(canonical)->keyword = nullptr;
    withdrawPrefixes(canonical);
    aliasRecords_.erase(canonical);
}

void AliasStore::indexTargets(std::string_view alias, const AliasRecord& record) {
    for (TargetKind kind : kKinds) {
        const std::string& targetKey = record.targetKeys[slot(kind)];
        if (!targetKey.empty()) aliasesByTarget_[slot(kind)].emplace(targetKey, alias);
    }
}

void AliasStore::unindexTarget(TargetKind kind, std::string_view targetKey,
                               std::string_view alias) {
    TargetIndex& index = aliasesByTarget_[slot(kind)];
    auto [it, end] = index.equal_range(targetKey);
    for (; it != end; ++it) {
        if (it->second == alias) {
            index.erase(it);
            return;
        }
    }
}

std::vector<std::string_view> AliasStore::aliasesNaming(TargetKind kind,
                                                        std::string_view key) const {
    std::vector<std::string_view> aliases;
    auto [it, end] = aliasesByTarget_[slot(kind)].equal_range(key);
    for (; it != end; ++it)
        aliases.push_back(it->second);
    return aliases;
}

void AliasStore::registerPrefixes(std::string_view canonical) {
    forEachWordPrefix(canonical, [this](std::string_view prefix) {
        if (KeywordPrefix* known = aliasPrefixes_.find(prefix))
            ++known->keywords;
        else {
            aliasPrefixes_.insertOrAssign(prefix, KeywordPrefix{1, nullptr});
            prefixFilter_.add(prefix);
        }
    });
}

void AliasStore::withdrawPrefixes(std::string_view canonical) {
    forEachWordPrefix(canonical, [this](std::string_view prefix) {
        KeywordPrefix* known = aliasPrefixes_.find(prefix);
        if (!known) return;
        if (known->keywords <= 1) {
            aliasPrefixes_.erase(prefix);
            prefixFilter_.remove(prefix);
        } else
            --known->keywords;
    });
}

}  // namespace sentex
