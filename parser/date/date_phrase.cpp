#include "date_grammar.h"

namespace sentex {
namespace {

using Recogniser = DatePhrase (*)(DateScan&);

DatePhrase firstOf(DateScan& scan, std::initializer_list<Recogniser> recognisers) {
    for (Recogniser read : recognisers) {
        const DatePhrase phrase = read(scan);
        if (phrase.status != DatePhrase::NONE) return phrase;
    }
    return DatePhrase::none();
}

}  // namespace

DatePhrase readDatePhrase(DateScan& scan) {
    const Token* front = scan.tokens.peek();
    if (!front) return DatePhrase::none();
    switch (front->cls) {
        case TokenClass::NUMBER:
            return firstOf(scan, {readNumericDate, readDayMonth, readSpan});
        case TokenClass::DAY_NAME:
            return readWeekday(scan);
        case TokenClass::MONTH:
            return readMonthFirst(scan);
        case TokenClass::DATESPAN:
            return readSpan(scan);
        case TokenClass::TODAY:
            return readToday(scan);
        case TokenClass::TOMORROW:
            return readTomorrow(scan);
        case TokenClass::THIS:
        case TokenClass::THE:
            return readThisThe(scan);
        case TokenClass::NEXT:
            return readNext(scan);
        case TokenClass::IN:
            return readIn(scan);
        case TokenClass::ALPHA:
            return firstOf(scan, {readSpan, readDayMonth});
        case TokenClass::ORDINAL:
            return firstOf(scan, {readDayMonth, readNthWeekday});
        case TokenClass::LAST:
            return readNthWeekday(scan);
        default:
            return DatePhrase::none();
    }
}

std::optional<int> takeDayNumber(TokenList& tokens) {
    const Token* t = tokens.peek();
    if (!t ||
        !(t->is(TokenClass::NUMBER) || t->is(TokenClass::ORDINAL) || t->is(TokenClass::ALPHA)))
        return std::nullopt;
    if (!Calendar::isValidDayNumber(t->value)) return std::nullopt;
    tokens.take();
    return t->value;
}

std::optional<int> takeYear(DateScan& scan) {
    const Token* t = scan.tokens.peek();
    if (!t || !t->is(TokenClass::NUMBER)) return std::nullopt;
    const std::optional<int> year = scan.calendar.windowYear(t->value);
    if (year) scan.tokens.take();
    return year;
}

DatePhrase readOptionalYear(DateScan& scan, int month, int day) {
    const std::optional<int> year = takeYear(scan);
    return DatePhrase::found(year ? Calendar::buildWithDayFallback(*year, month, day)
                                  : scan.calendar.nextOccurrence(month, day));
}

}  // namespace sentex
