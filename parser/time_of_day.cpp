#include "time_of_day.h"

namespace sentex {
namespace {

struct TimeRange {
    ClockTime start, end;
};

ClockTime onTheHour(const Token& hour) {
    return makeClockTime(hour.value, 0);
}
ClockTime onTheHourPm(const Token& hour) {
    return makeClockTimeAmPm(hour.value, 0, true);
}

// Completes a range of a TIME or HOUR and a TIME or HOUR; a bare hour takes the half of
// the day that puts the end after the start. Nothing when the end is not later.
std::optional<TimeRange> rangeOf(const Token& a, const Token& b) {
    TimeRange range{};
    if (a.is(TokenClass::TIME) && b.is(TokenClass::TIME)) {
        range = {a.value, b.value};
    } else if (a.is(TokenClass::TIME)) {
        range = {a.value, onTheHour(b)};
        if (range.end <= range.start) range.end = onTheHourPm(b);
    } else {
        range = {onTheHourPm(a), b.value};
        if (range.end <= range.start) range.start = onTheHour(a);
    }
    if (range.end <= range.start) return std::nullopt;
    return range;
}

// Reads first, joiner, second with the given classes and a passing range; puts the
// tokens back otherwise.
std::optional<TimeRange> readRange(TokenList& tokens, TokenClass first, TokenClass joiner,
                                   TokenClass second) {
    const TokenList::Mark start = tokens.mark();
    const Token* a = tokens.takeIf(first);
    const Token* b = a && tokens.takeIf(joiner) ? tokens.takeIf(second) : nullptr;
    if (b)
        if (const std::optional<TimeRange> range = rangeOf(*a, *b)) return range;
    tokens.putBack(start);
    return std::nullopt;
}

// "between TIME and TIME", "between TIME and HOUR", "between HOUR and TIME".
std::optional<TimeRange> readBetween(TokenList& tokens) {
    const TokenList::Mark start = tokens.mark();
    tokens.take();
    using C = TokenClass;
    for (auto [first, second] :
         {std::pair{C::TIME, C::TIME}, std::pair{C::TIME, C::HOUR}, std::pair{C::HOUR, C::TIME}}) {
        if (std::optional<TimeRange> range = readRange(tokens, first, C::AND, second)) return range;
    }
    tokens.putBack(start);
    return std::nullopt;
}

void setStartTime(WorkingRecord& record, ClockTime start, DateTime now) {
    record.startTime = start;
    record.startTimePresent = true;
    if (!record.datePresent) {
        record.date = now;
        record.datePresent = true;
    }
}

void setRange(WorkingRecord& record, TimeRange range, DateTime now) {
    setStartTime(record, range.start, now);
    record.endTime = range.end;
    record.endTimePresent = true;
}

}  // namespace

void recognizeTimeOfDay(TokenList& tokens, DateTime now, WorkingRecord& record) {
    using C = TokenClass;
    while (const Token* t = tokens.peek()) {
        switch (t->cls) {
            case C::BETWEEN:
                if (const std::optional<TimeRange> range = readBetween(tokens)) {
                    setRange(record, *range, now);
                    return;
                }
                tokens.take();
                break;
            case C::TIME: {
                std::optional<TimeRange> range = readRange(tokens, C::TIME, C::TO, C::TIME);
                if (!range) range = readRange(tokens, C::TIME, C::TO, C::HOUR);
                if (range) {
                    setRange(record, *range, now);
                } else {
                    setStartTime(record, t->value, now);
                }
                return;
            }
            case C::HOUR:
                if (const std::optional<TimeRange> range =
                        readRange(tokens, C::HOUR, C::TO, C::TIME)) {
                    setRange(record, *range, now);
                    return;
                }
                tokens.take();
                break;
            default:
                tokens.take();
                break;
        }
    }
}

}  // namespace sentex
