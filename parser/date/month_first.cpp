// "april 20", "april 20th 1999", "may twenty".
#include "date_grammar.h"

namespace sentex {

DatePhrase readMonthFirst(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    const Token* month = tokens.takeIf(TokenClass::MONTH);
    const std::optional<int> day = month ? takeDayNumber(tokens) : std::nullopt;
    if (!day) {
        tokens.putBack(start);
        return DatePhrase::none();
    }
    const DatePhrase phrase = readOptionalYear(scan, month->value, *day);
    if (!phrase.isFound()) tokens.putBack(start);
    return phrase;
}

}  // namespace sentex
