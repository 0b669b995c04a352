// The month of an n-th weekday: "june", "june 99", "6/99", "this month", "this june",
// "next month", "next june".
#include "date_grammar.h"

namespace sentex {
namespace {

bool takeMonthSpan(TokenList& tokens) {
    const Token* t = tokens.peek();
    if (!t || !t->is(TokenClass::DATESPAN) || t->value != kUnitMonth) return false;
    tokens.take();
    return true;
}

}  // namespace

std::optional<MonthOfYear> readMonthReference(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const Calendar& calendar = scan.calendar;
    const TokenList::Mark start = tokens.mark();
    const DateTime::Civil now = calendar.now().civil();

    if (const Token* month = tokens.takeIf(TokenClass::MONTH)) {
        const std::optional<int> year = takeYear(scan);
        return MonthOfYear{month->value, year ? *year : calendar.yearOfMonth(month->value)};
    }
    if (const Token* month = tokens.takeIf(TokenClass::NUMBER)) {
        if (Calendar::isValidMonth(month->value) && tokens.takeIf(TokenClass::DATE_SEPARATOR))
            if (const std::optional<int> year = takeYear(scan))
                return MonthOfYear{month->value, *year};
    } else if (tokens.takeIf(TokenClass::THIS)) {
        if (takeMonthSpan(tokens)) return MonthOfYear{now.month, now.year};
        if (const Token* month = tokens.takeIf(TokenClass::MONTH))
            return MonthOfYear{month->value, calendar.yearOfMonth(month->value)};
    } else if (tokens.takeIf(TokenClass::NEXT)) {
        if (takeMonthSpan(tokens))
            return now.month == 12 ? MonthOfYear{1, now.year + 1}
                                   : MonthOfYear{now.month + 1, now.year};
        if (const Token* month = tokens.takeIf(TokenClass::MONTH))
            return MonthOfYear{month->value, calendar.yearOfMonth(month->value) + 1};
    }
    tokens.putBack(start);
    return std::nullopt;
}

}  // namespace sentex
