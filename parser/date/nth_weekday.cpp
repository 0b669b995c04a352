// "second monday in june", "last friday of next month".
#include "date_grammar.h"

namespace sentex {

DatePhrase readNthWeekday(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    const Token* nth = tokens.peek();
    if (nth && (nth->is(TokenClass::ORDINAL) || nth->is(TokenClass::LAST)) && nth->value <= 5) {
        tokens.take();
        if (const Token* day = tokens.takeIf(TokenClass::DAY_NAME)) {
            tokens.takeIf(TokenClass::IN);
            if (const std::optional<MonthOfYear> month = readMonthReference(scan)) {
                const DatePhrase phrase = DatePhrase::found(
                    Calendar::nthWeekday(nth->value, day->value, month->month, month->year));
                if (phrase.isFound()) return phrase;
            }
        }
    }
    tokens.putBack(start);
    return DatePhrase::none();
}

}  // namespace sentex
