// "in 2 weeks", "within three days": now plus the span.
#include "date_grammar.h"

namespace sentex {

DatePhrase readIn(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    if (tokens.takeIf(TokenClass::IN)) {
        const DatePhrase span = readSpan(scan);
        if (span.status == DatePhrase::SPAN) {
            const DatePhrase phrase =
                DatePhrase::found(Calendar::addSpan(scan.calendar.now(), span.amount, span.unit));
            if (phrase.isFound()) return phrase;
        }
    }
    tokens.putBack(start);
    return DatePhrase::none();
}

}  // namespace sentex
