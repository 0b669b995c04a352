// "today", "tonight"; "tomorrow".
#include "date_grammar.h"

namespace sentex {

DatePhrase readToday(DateScan& scan) {
    if (!scan.tokens.takeIf(TokenClass::TODAY)) return DatePhrase::none();
    return DatePhrase::found(scan.calendar.now());
}

DatePhrase readTomorrow(DateScan& scan) {
    if (!scan.tokens.takeIf(TokenClass::TOMORROW)) return DatePhrase::none();
    return DatePhrase::found(scan.calendar.now().plus(DateSpan::of(1)));
}

}  // namespace sentex
