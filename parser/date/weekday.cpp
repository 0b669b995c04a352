// "friday"; "friday march 13" (a date right after the day name wins).
#include "date_grammar.h"

namespace sentex {

DatePhrase readWeekday(DateScan& scan) {
    const Token* day = scan.tokens.takeIf(TokenClass::DAY_NAME);
    if (!day) return DatePhrase::none();
    const DatePhrase weekday = DatePhrase::found(scan.calendar.comingWeekday(day->value));
    const Token* next = scan.tokens.peek();
    if (next && (next->is(TokenClass::NUMBER) || next->is(TokenClass::ORDINAL) ||
                 next->is(TokenClass::MONTH))) {
        const DatePhrase explicitDate = readDatePhrase(scan);
        if (explicitDate.isFound()) return explicitDate;
    }
    return weekday;
}

}  // namespace sentex
