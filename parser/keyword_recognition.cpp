#include "keyword_recognition.h"

namespace sentex {
namespace {

bool isPunctuation(const Token& t) {
    return t.text == "," || t.text == "." || t.text == ":" || t.text == ";";
}

bool isAddress(const Token& t) {
    return t.is(TokenClass::PLEASE) || t.is(TokenClass::FYI);
}

void takeListAndProject(WorkingRecord& record, const AliasTargets& keyword) {
    record.list = keyword.list;
    record.project = keyword.project;
}

// The keyword is meant for the contact as somebody to ask ("please") or inform ("fyi").
void addressRecipient(WorkingRecord& record, const AliasTargets& keyword, const Token& address) {
    record.recipient = keyword.contact;
    if (address.is(TokenClass::FYI)) record.isFyi = true;
}

void fillEmpty(std::string_view& field, const std::string& value) {
    if (field.empty()) field = value;
}

}  // namespace

const AliasTargets* KeywordRecognizer::longestMatch(TokenList& tokens, const Token& first,
                                                    const KeywordPrefix& prefix) {
    // Candidates are the keyword's words joined by one blank. While the note has them
    // just so, the candidate is a view of the note's text; only when it does not are the
    // words copied into candidate_.
    std::string_view candidate = first.text;
    bool copied = false;
    const AliasTargets* best = prefix.keyword;
    TokenList::Mark committed = tokens.mark();
    while (const Token* t = tokens.take()) {
        const char* const candidateEnd = candidate.data() + candidate.size();
        if (!copied && t->text.data() == candidateEnd + 1 && *candidateEnd == ' ') {
            candidate = std::string_view(candidate.data(), candidate.size() + 1 + t->text.size());
        } else {
            if (!copied) candidate_.assign(candidate);
            copied = true;
            candidate_ += ' ';
            candidate_ += t->text;
            candidate = candidate_;
        }
        const KeywordPrefix* longer = store_.findKeywordPrefix(candidate);
        if (!longer) break;
        if (longer->keyword) {
            best = longer->keyword;
            committed = tokens.mark();
        }
    }
    tokens.putBack(committed);
    return best;
}

void KeywordRecognizer::recognizeLeading(TokenList& tokens, WorkingRecord& record) {
    const TokenList::Mark start = tokens.mark();
    const Token* first = tokens.take();
    if (!first) return;

    if (isAddress(*first)) {
        if (first->is(TokenClass::FYI)) record.isFyi = true;
        const Token* next = tokens.take();
        const KeywordPrefix* prefix = next ? prefixOf(*next) : nullptr;
        if (next && !prefix && isPunctuation(*next)) {
            next = tokens.take();
            prefix = next ? prefixOf(*next) : nullptr;
        }
        const AliasTargets* keyword = prefix ? longestMatch(tokens, *next, *prefix) : nullptr;
        if (!keyword) {
            tokens.putBack(start);
            return;
        }
        takeListAndProject(record, *keyword);
        addressRecipient(record, *keyword, *first);
        return;
    }

    const KeywordPrefix* prefix = prefixOf(*first);
    const AliasTargets* keyword = prefix ? longestMatch(tokens, *first, *prefix) : nullptr;
    if (!keyword) {
        tokens.putBack(start);
        return;
    }
    takeListAndProject(record, *keyword);
    // What follows the keyword decides whether its contact is the note's contact or the
    // one it is addressed to: "bob please ...", "bob fyi ...", "bob, please ...".
    const TokenList::Mark afterKeyword = tokens.mark();
    const Token* next = tokens.take();
    if (next && isPunctuation(*next)) next = tokens.take();
    if (next && isAddress(*next)) {
        addressRecipient(record, *keyword, *next);
        return;
    }
    record.contact = keyword->contact;
    tokens.putBack(afterKeyword);
}

void KeywordRecognizer::scan(TokenList& tokens, WorkingRecord& record) {
    if (store_.empty()) return;
    while (const Token* t = tokens.take()) {
        const KeywordPrefix* prefix = prefixOf(*t);
        if (!prefix) continue;
        if (const AliasTargets* keyword = longestMatch(tokens, *t, *prefix)) {
            fillEmpty(record.list, keyword->list);
            fillEmpty(record.project, keyword->project);
            fillEmpty(record.contact, keyword->contact);
        }
    }
}

}  // namespace sentex
