// "this friday", "the friday" (the coming one); "this morning", "this evening" (today).
#include "date_grammar.h"

namespace sentex {

DatePhrase readThisThe(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    if (tokens.takeIf(TokenClass::THIS) || tokens.takeIf(TokenClass::THE)) {
        if (const Token* day = tokens.takeIf(TokenClass::DAY_NAME))
            return DatePhrase::found(scan.calendar.comingWeekday(day->value));
        if (tokens.takeIf(TokenClass::MORNING) || tokens.takeIf(TokenClass::AFTERNOON) ||
            tokens.takeIf(TokenClass::EVENING))
            return DatePhrase::found(scan.calendar.now());
    }
    tokens.putBack(start);
    return DatePhrase::none();
}

}  // namespace sentex
