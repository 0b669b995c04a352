// "20 april", "20th of april 1999", "twenty april".
#include "date_grammar.h"

namespace sentex {

DatePhrase readDayMonth(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    const std::optional<int> day = takeDayNumber(tokens);
    const Token* month = day ? tokens.takeIf(TokenClass::MONTH) : nullptr;
    if (!month) {
        tokens.putBack(start);
        return DatePhrase::none();
    }
    const DatePhrase phrase = readOptionalYear(scan, month->value, *day);
    if (!phrase.isFound()) tokens.putBack(start);
    return phrase;
}

}  // namespace sentex
