// "next friday": the named day of next week.
#include "date_grammar.h"

namespace sentex {
namespace {

constexpr int kSunday = 1;

}  // namespace

DatePhrase readNext(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    const Token* day =
        tokens.takeIf(TokenClass::NEXT) ? tokens.takeIf(TokenClass::DAY_NAME) : nullptr;
    if (!day) {
        tokens.putBack(start);
        return DatePhrase::none();
    }
    // Weeks run Monday to Sunday: on a Wednesday "next monday" is five days ahead and
    // "next friday" nine.
    const int w = day->value;
    const int t = scan.calendar.todayDayOfWeek();
    DateTime date = scan.calendar.weekdayTodayOrLater(w);
    if (t == kSunday || w >= t || w == kSunday) date = date.plus(DateSpan::of(7));
    return DatePhrase::found(date);
}

}  // namespace sentex
