#include "date_driver.h"

namespace sentex {
namespace {

enum class Outcome { Done, Restart };

void takeDate(WorkingRecord& record, DateTime date) {
    record.date = date;
    record.datePresent = true;
}

// A span was read ("2 weeks"); an anchor may follow ("from friday"). Anything else
// sends recognition back to the start at the token that did not fit.
Outcome anchorSpan(DateScan& scan, DatePhrase pending, WorkingRecord& record) {
    TokenList& tokens = scan.tokens;
    for (;;) {
        const TokenList::Mark before = tokens.mark();
        const Token* t = tokens.take();
        if (!t) return Outcome::Done;
        if (!t->is(TokenClass::FROM)) {
            tokens.putBack(before);
            return Outcome::Restart;
        }
        if (tokens.empty()) return Outcome::Done;
        const DatePhrase anchor = readDatePhrase(scan);
        if (anchor.status == DatePhrase::SPAN) {
            pending = anchor;
            continue;
        }
        if (anchor.isFound()) {
            const DateTime date = Calendar::addSpan(anchor.date, pending.amount, pending.unit);
            if (date.isValid()) {
                takeDate(record, date);
                return Outcome::Done;
            }
        }
        return Outcome::Restart;
    }
}

Outcome recognizeFromFront(DateScan& scan, WorkingRecord& record) {
    TokenList& tokens = scan.tokens;
    while (const Token* t = tokens.peek()) {
        if (t->is(TokenClass::WORD)) {
            tokens.take();
            continue;
        }
        if (const std::optional<Recurrence> recurrence = readRecurrence(scan)) {
            record.recurrence = *recurrence;
            record.isRecurring = true;
            takeDate(record, recurrence->start);
            return Outcome::Done;
        }
        const DatePhrase phrase = readDatePhrase(scan);
        switch (phrase.status) {
            case DatePhrase::FOUND:
                takeDate(record, phrase.date);
                return Outcome::Done;
            case DatePhrase::NONE:
                tokens.take();
                break;
            case DatePhrase::SPAN:
                return anchorSpan(scan, phrase, record);
        }
    }
    return Outcome::Done;
}

}  // namespace

void recognizeDate(TokenList& dateTokens, DateFormat::Order order, const NowSource& clock,
                   DateTime& now, WorkingRecord& record) {
    Outcome outcome;
    do {
        now = clock();
        DateScan scan{dateTokens, Calendar(now), order};
        outcome = recognizeFromFront(scan, record);
    } while (outcome == Outcome::Restart);
}

}  // namespace sentex
