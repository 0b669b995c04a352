// The read side of the keyword store: tests, completion, proposals and enumeration.
#include "../parser/text.h"
#include "alias_store.h"
#include "name_forms.h"

namespace sentex {
namespace {

constexpr std::size_t kShortestProposal = 3;

// The first character of a UTF-8 text (one byte, or a whole multi-byte sequence).
std::string_view firstCharacter(std::string_view text) {
    if (text.empty()) return text;
    std::size_t n = 1;
    while (n < text.size() && n < 4 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        ++n;
    return text.substr(0, n);
}

// Fills the slots with the candidates in order.
class SuggestionList {
public:
    void add(std::string candidate) {
        if (count_ < 2) slots_[count_++] = std::move(candidate);
    }
    Suggestions take() { return std::move(slots_); }

private:
    Suggestions slots_;
    std::size_t count_ = 0;
};

}  // namespace

bool AliasStore::isAcceptableProposal(std::string_view x) const {
    return x.size() >= kShortestProposal && x.size() <= kMaxStoredText &&
           !aliasRecords_.contains(x) && !noiseWords_.contains(firstToken(x)) &&
           !reservedWords_.contains(x);
}

bool AliasStore::isValidAlias(std::string_view text) {
    return isValidNewAlias(canonical(text));
}

bool AliasStore::isAlias(std::string_view text) {
    return aliasRecords_.contains(canonical(text));
}

bool AliasStore::isName(TargetKind kind, std::string_view name) const {
    return autoFill_[slot(kind)].contains(nameKey(name));
}

std::optional<std::string_view> AliasStore::autoFill(TargetKind kind,
                                                     std::string_view beginning) const {
    return autoFill_[slot(kind)].complete(lowercase(beginning));
}

Suggestions AliasStore::suggestNameAliases(std::string_view name) {
    const std::string c = canonical(name);
    SuggestionList list;
    if (isAcceptableProposal(c)) list.add(c);
    // Then the first single word of the name that would do on its own.
    for (std::size_t start = 0; start < c.size();) {
        const std::size_t end = std::min(c.find(' ', start), c.size());
        const std::string_view token = std::string_view(c).substr(start, end - start);
        if (token != c && isAcceptableProposal(token)) {
            list.add(std::string(token));
            break;
        }
        start = end + 1;
    }
    return list.take();
}

Suggestions AliasStore::suggestContactAliases(std::string_view first, std::string_view last,
                                              std::string_view other) {
    const std::string f = canonical(first);
    const std::string l = canonical(last);
    SuggestionList list;
    if (f.empty() && l.empty()) {
        std::string o = canonical(other);
        if (isAcceptableProposal(o)) list.add(std::move(o));
        return list.take();
    }
    const std::string full = f.empty() ? l : l.empty() ? f : f + ' ' + l;
    if (isAcceptableProposal(full)) list.add(full);
    if (l != full && isAcceptableProposal(l)) list.add(l);
    if (!f.empty() && !l.empty()) {
        // First name and initial: "ann l". Proposed even where it is already a keyword.
        std::string initial = f + ' ' + std::string(firstCharacter(l));
        if (initial != full && initial != l && initial.size() <= kMaxStoredText)
            list.add(std::move(initial));
    }
    return list.take();
}

std::optional<AliasView> AliasStore::firstAlias() {
    enumeration_ = aliasRecords_.first();
    enumerationGeneration_ = generation_;
    return nextAlias();
}

std::optional<AliasView> AliasStore::nextAlias() {
    // A change since the enumeration began ends it: its place may be gone.
    if (enumeration_ && enumerationGeneration_ != generation_) enumeration_.reset();
    if (!enumeration_ || aliasRecords_.done(*enumeration_)) {
        enumeration_.reset();
        return std::nullopt;
    }
    const std::string_view alias = aliasRecords_.keyAt(*enumeration_);
    const AliasTargets& t = aliasRecords_.valueAt(*enumeration_).targets;
    enumeration_ = aliasRecords_.next(*enumeration_);
    return AliasView{alias, t.list, t.project, t.contact};
}

}  // namespace sentex
