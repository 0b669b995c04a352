// Repeating phrases: "every friday", "every other week", "mondays", "weekdays",
// "first monday of every month", "the 15th of every month".
#include "date_grammar.h"

namespace sentex {
namespace {

constexpr int kMonday = 2;
constexpr int kSaturday = 7;

Recurrence weekly(DateTime start, int32_t interval, int days) {
    return Recurrence{start, interval, kUnitWeek, static_cast<uint8_t>(days), 0, 1};
}

Recurrence everyWeekday(const Calendar& calendar) {
    const int today = calendar.todayDayOfWeek();
    const bool workday = today >= kMonday && today < kSaturday;
    return weekly(workday ? calendar.now() : calendar.comingWeekday(kMonday), 1, kMondayToFriday);
}

Recurrence everyWeekend(const Calendar& calendar, int32_t interval) {
    return weekly(calendar.weekdayTodayOrLater(kSaturday), interval, kSaturdayAndSunday);
}

Recurrence everySpan(const Calendar& calendar, int32_t amount, int32_t unit) {
    const int days = unit == kUnitWeek ? dayBit(calendar.todayDayOfWeek()) : 0;
    return Recurrence{
        calendar.now(), amount, static_cast<uint8_t>(unit), static_cast<uint8_t>(days), 0, 1};
}

// After "every other".
std::optional<Recurrence> readEveryOther(DateScan& scan) {
    const Token* t = scan.tokens.take();
    if (!t) return std::nullopt;
    switch (t->cls) {
        case TokenClass::DATESPAN:
            return everySpan(scan.calendar, 2, t->value);
        case TokenClass::DAY_NAME:
            return weekly(scan.calendar.weekdayTodayOrLater(t->value), 2, dayBit(t->value));
        case TokenClass::WEEKEND:
            return everyWeekend(scan.calendar, 2);
        default:
            return std::nullopt;
    }
}

std::optional<Recurrence> readEveryWithoutPutBack(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    if (!tokens.takeIf(TokenClass::EVERY) || tokens.empty()) return std::nullopt;
    const DatePhrase span = readSpan(scan);
    if (span.status == DatePhrase::SPAN) return everySpan(scan.calendar, span.amount, span.unit);
    const Token* t = tokens.take();
    switch (t->cls) {
        case TokenClass::DAY_NAME:
            return weekly(scan.calendar.weekdayTodayOrLater(t->value), 1, dayBit(t->value));
        case TokenClass::WEEKDAY:
            return everyWeekday(scan.calendar);
        case TokenClass::WEEKEND:
            return everyWeekend(scan.calendar, 1);
        case TokenClass::OTHER:
            return readEveryOther(scan);
        default:
            return std::nullopt;
    }
}

// "every ..."; puts back what it took when it finds no recurrence.
std::optional<Recurrence> readEvery(DateScan& scan) {
    const TokenList::Mark start = scan.tokens.mark();
    std::optional<Recurrence> recurrence = readEveryWithoutPutBack(scan);
    if (!recurrence) scan.tokens.putBack(start);
    return recurrence;
}

// "first monday of every month", "31st of every month" (the "of" is gone by now).
std::optional<Recurrence> readNthOfMonthWithoutPutBack(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const Token* nthToken = tokens.take();
    const int n = nthToken->value;
    const Calendar& calendar = scan.calendar;
    const DateTime::Civil now = calendar.now().civil();
    if (const Token* day = tokens.takeIf(TokenClass::DAY_NAME)) {
        if (n > 5 || !tokens.peek() || !tokens.peek()->is(TokenClass::EVERY)) return std::nullopt;
        std::optional<Recurrence> r = readEvery(scan);
        if (!r || r->unit != kUnitMonth) return std::nullopt;
        r->start = Calendar::nthWeekday(n, day->value, now.month, now.year);
        if (!r->start.isValid()) return std::nullopt;
        r->days = static_cast<uint8_t>(dayBit(day->value));
        r->nth = static_cast<uint8_t>(n);
        return r;
    }
    if (tokens.peek() && tokens.peek()->is(TokenClass::EVERY)) {
        std::optional<Recurrence> r = readEvery(scan);
        if (!r || r->unit != kUnitMonth || !Calendar::isValidDayNumber(n)) return std::nullopt;
        r->start = Calendar::buildWithDayFallback(now.year, now.month, n);
        r->days = 0;
        r->nth = 0;
        return r;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Recurrence> readRecurrence(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const Token* front = tokens.peek();
    if (!front) return std::nullopt;
    const Calendar& calendar = scan.calendar;
    switch (front->cls) {
        case TokenClass::ORDINAL:
        case TokenClass::LAST: {
            const TokenList::Mark start = tokens.mark();
            std::optional<Recurrence> r = readNthOfMonthWithoutPutBack(scan);
            if (!r) tokens.putBack(start);
            return r;
        }
        case TokenClass::EVERY:
            return readEvery(scan);
        case TokenClass::DAYSOFWEEK:
            tokens.take();
            return weekly(calendar.weekdayTodayOrLater(front->value), 1, dayBit(front->value));
        case TokenClass::WEEKDAYS:
            tokens.take();
            return everyWeekday(calendar);
        case TokenClass::WEEKENDS:
            tokens.take();
            return everyWeekend(calendar, 1);
        default:
            return std::nullopt;
    }
}

}  // namespace sentex
