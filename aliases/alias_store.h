#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "../parser/string_hash_map.h"
#include "../parser/text_filter.h"
#include "../parser/vocabulary.h"
#include "auto_fill_index.h"
#include "name_forms.h"

namespace sentex {

// The three kinds of names a keyword may point at.
enum class TargetKind { List = 0, Project = 1, Contact = 2 };
constexpr std::size_t kTargetKinds = 3;

// The three targets a keyword names, as display forms; an empty text names none.
struct AliasTargets {
    std::string list, project, contact;

    std::string& operator[](TargetKind kind) {
        return kind == TargetKind::List ? list : kind == TargetKind::Project ? project : contact;
    }
};

// A text that begins one or more keywords with whole words, for the parser: how many
// keywords it begins, and the keyword that it is itself, if any (valid until the store
// changes).
struct KeywordPrefix {
    int32_t keywords = 0;
    const AliasTargets* keyword = nullptr;
};

// One keyword as the enumeration returns it; views into the store, valid until it changes.
struct AliasView {
    std::string_view alias, list, project, contact;
};

// Up to three proposed keywords; unused slots are empty.
using Suggestions = std::array<std::string, 3>;

// The user's keywords ("aliases") and the names of lists, projects and contacts they may
// point at. Keywords are kept in canonical form; target names are compared by key (the
// trimmed, lowercased name) and kept in their display form. Every change that would break
// a rule is refused as a whole and changes nothing.
class AliasStore {
public:
    AliasStore(Vocabulary& tokenizer, const StringHashSet& noiseWords,
               const StringHashSet& reservedWords);

    // What the parser asks while it reads a note.
    bool empty() const { return aliasRecords_.empty(); }
    // Whether the text is the first one or more whole words of some keyword.
    bool isKeywordPrefix(std::string_view text) const { return findKeywordPrefix(text); }
    // The same with the keyword the text is itself, in one lookup; null when no keyword
    // begins with the text.
    const KeywordPrefix* findKeywordPrefix(std::string_view text) const {
        return prefixFilter_.mayHold(text) ? aliasPrefixes_.find(text) : nullptr;
    }
    // The targets of the keyword with exactly this (canonical) text, or null.
    const AliasTargets* findKeyword(std::string_view text) const {
        const AliasRecord* record = aliasRecords_.find(text);
        return record ? &record->targets : nullptr;
    }

    // Changes; each returns false when refused.
    bool addAlias(std::string_view text, std::string_view list, std::string_view project,
                  std::string_view contact);
    bool deleteAlias(std::string_view text);
    bool renameAlias(std::string_view oldText, std::string_view newText);
    bool addName(TargetKind kind, std::string_view name);
    bool deleteName(TargetKind kind, std::string_view name);
    bool renameName(TargetKind kind, std::string_view oldName, std::string_view newName);
    void clear();

    // Queries.
    std::string canonical(std::string_view text) { return canonicalForm(tokenizer_, text); }
    bool isValidAlias(std::string_view text);
    bool isAlias(std::string_view text);
    bool isName(TargetKind kind, std::string_view name) const;
    std::optional<std::string_view> autoFill(TargetKind kind, std::string_view beginning) const;
    Suggestions suggestNameAliases(std::string_view name);
    Suggestions suggestContactAliases(std::string_view first, std::string_view last,
                                      std::string_view other);

    // Enumeration in the order of the keyword table. Any change to the store ends it.
    std::optional<AliasView> firstAlias();
    std::optional<AliasView> nextAlias();

private:
    struct AliasRecord {
        AliasTargets targets;
        std::array<std::string, kTargetKinds> targetKeys;
    };
    // Target key to the keywords that point at it; both view strings inside aliasRecords_.
    using TargetIndex = std::unordered_multimap<std::string_view, std::string_view>;

    static std::size_t slot(TargetKind kind) { return static_cast<std::size_t>(kind); }
    bool isValidNewAlias(std::string_view canonical) const;
    bool isAcceptableProposal(std::string_view canonical) const;
    void insertRecord(std::string_view canonical, AliasRecord record);
    void removeRecord(std::string_view canonical);
    void indexTargets(std::string_view alias, const AliasRecord& record);
    void unindexTarget(TargetKind kind, std::string_view targetKey, std::string_view alias);
    // The keywords that point at a key of a kind.
    std::vector<std::string_view> aliasesNaming(TargetKind kind, std::string_view key) const;
    void registerPrefixes(std::string_view canonical);
    void withdrawPrefixes(std::string_view canonical);
    void changed() { ++generation_; }

    Vocabulary& tokenizer_;
    const StringHashSet& noiseWords_;
    const StringHashSet& reservedWords_;

    StringHashMap<AliasRecord> aliasRecords_;
    StringHashMap<KeywordPrefix> aliasPrefixes_;
    TextFilter prefixFilter_;  // holds every key of aliasPrefixes_
    // listAutoFill, projectAutoFill, contactAutoFill: the registered names of each kind.
    // Their keys are the name sets (listNames, projectNames, contactNames) too.
    std::array<AutoFillIndex, kTargetKinds> autoFill_;
    // For each kind, the keywords that point at a key, so that removing or renaming a name
    // visits only those.
    std::array<TargetIndex, kTargetKinds> aliasesByTarget_;

    std::optional<StringHashMap<AliasRecord>::Position> enumeration_;
    uint64_t enumerationGeneration_ = 0;
    uint64_t generation_ = 0;
};

}  // namespace sentex
