// "4/20", "4/20/98", "20/4/1998" or "1998-4-20", in the locale's short-date order.
#include "date_grammar.h"

namespace sentex {
namespace {

enum class Field { Year, Month, Day };

constexpr Field kFields[3][3] = {
    {Field::Month, Field::Day, Field::Year},  // month-day-year
    {Field::Day, Field::Month, Field::Year},  // day-month-year
    {Field::Year, Field::Month, Field::Day},  // year-month-day
};

struct NumericFields {
    int year = 0, month = 0, day = 0;

    // Stores a written number as the given field; false when it is not valid as that.
    bool set(Field field, int written, const Calendar& calendar) {
        switch (field) {
            case Field::Year: {
                const std::optional<int> y = calendar.windowYear(written);
                if (y) year = *y;
                return y.has_value();
            }
            case Field::Month:
                month = written;
                return Calendar::isValidMonth(written);
            case Field::Day:
                day = written;
                return Calendar::isValidDayNumber(written);
        }
        return false;
    }
};

}  // namespace

DatePhrase readNumericDate(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const TokenList::Mark start = tokens.mark();
    const Field(&fields)[3] = kFields[scan.order];
    NumericFields date;
    const Token* first = tokens.takeIf(TokenClass::NUMBER);
    const Token* second = first && date.set(fields[0], first->value, scan.calendar) &&
                                  tokens.takeIf(TokenClass::DATE_SEPARATOR)
                              ? tokens.takeIf(TokenClass::NUMBER)
                              : nullptr;
    if (!second || !date.set(fields[1], second->value, scan.calendar)) {
        tokens.putBack(start);
        return DatePhrase::none();
    }
    const TokenList::Mark afterTwo = tokens.mark();
    const Token* third =
        tokens.takeIf(TokenClass::DATE_SEPARATOR) ? tokens.takeIf(TokenClass::NUMBER) : nullptr;
    if (third) {
        if (date.set(fields[2], third->value, scan.calendar))
            return DatePhrase::found(
                Calendar::buildWithDayFallback(date.year, date.month, date.day));
        tokens.putBack(start);
        return DatePhrase::none();
    }
    tokens.putBack(afterTwo);
    // Year and month alone name no day.
    if (scan.order == DateFormat::YearMonthDay) {
        tokens.putBack(start);
        return DatePhrase::none();
    }
    const DatePhrase phrase = DatePhrase::found(scan.calendar.nextOccurrence(date.month, date.day));
    if (!phrase.isFound()) tokens.putBack(start);
    return phrase;
}

}  // namespace sentex
