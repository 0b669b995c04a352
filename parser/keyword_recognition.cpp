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

const AliasTargets* KeywordRecognizer::longestMatch(TokenList& tokens, const Token& first) {
    candidate_.assign(first.text);
    const AliasTargets* best = store_.findKeyword(candidate_);
    TokenList::Mark committed = tokens.mark();
    while (const Token* t = tokens.take()) {
        candidate_ += ' ';
        candidate_ += t->text;
        if (!store_.isKeywordPrefix(candidate_)) break;
        if (const AliasTargets* keyword = store_.findKeyword(candidate_)) {
            best = keyword;
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
        if (next && !isPrefix(*next) && isPunctuation(*next)) next = tokens.take();
        const AliasTargets* keyword =
            next && isPrefix(*next) ? longestMatch(tokens, *next) : nullptr;
        if (!keyword) {
            tokens.putBack(start);
            return;
        }
        takeListAndProject(record, *keyword);
        addressRecipient(record, *keyword, *first);
        return;
    }

    const AliasTargets* keyword = isPrefix(*first) ? longestMatch(tokens, *first) : nullptr;
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
        if (!isPrefix(*t)) continue;
        if (const AliasTargets* keyword = longestMatch(tokens, *t)) {
            fillEmpty(record.list, keyword->list);
            fillEmpty(record.project, keyword->project);
            fillEmpty(record.contact, keyword->contact);
        }
    }
}

}  // namespace sentex
