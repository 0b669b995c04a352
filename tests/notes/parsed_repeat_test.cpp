// From the parser's repeat to the pattern a repeating item is filed with. The parser's own
// recognition is tested with the parser; here the result record is made by hand.
#include "notes/parsed_repeat.h"

#include <gtest/gtest.h>

#include "outlook/recurrence/recurrence_words.h"

namespace notes {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using outlook::RecurrenceFields;

// Tuesday 8 December 2026.
constexpr local_days kToday = local_days(2026y / December / 8);

local_days day(int y, unsigned m, unsigned d) {
    return local_days(year(y) / month(m) / d);
}

TParseResults recurring(std::uint8_t unit, std::uint8_t days, std::uint8_t nth,
                        std::int32_t interval) {
    TParseResults result{};
    result.isRecurring = 1;
    result.recurUnit = unit;
    result.recurDays = days;
    result.recurNth = nth;
    const auto bits = static_cast<std::uint32_t>(interval);
    for (int i = 0; i < 4; ++i)
        result.recurInterval[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return result;
}

RecurrenceFields patternOf(const TParseResults& result, local_days start,
                           std::optional<RepeatTimes> times = std::nullopt) {
    const std::optional<ParsedRepeat> repeat = RepeatOf(result);
    EXPECT_TRUE(repeat);
    return PatternFor(repeat.value_or(ParsedRepeat{}), start, kToday, times);
}

TEST(ParsedRepeat, TheResultRecordIsReadWithItsIntervalInLittleEndian) {
    EXPECT_FALSE(RepeatOf(TParseResults{})) << "not recurring";
    EXPECT_FALSE(RepeatOf(recurring(0, 0, 0, 1))) << "no unit";
    EXPECT_FALSE(RepeatOf(recurring(5, 0, 0, 1))) << "a unit nobody knows";
    EXPECT_EQ(RepeatOf(recurring(2, 4, 0, 2)), (ParsedRepeat{ParsedRepeat::kWeek, 2, 4, 0}));
    EXPECT_EQ(RepeatOf(recurring(1, 0, 0, 300))->interval, 300) << "more than one byte";
    // A repeat that never moves on would have no second occurrence.
    EXPECT_EQ(RepeatOf(recurring(1, 0, 0, 0))->interval, 1);
    EXPECT_EQ(RepeatOf(recurring(1, 0, 0, -2))->interval, 1);
}

TEST(ParsedRepeat, EachFormTheParserKnowsBecomesItsPattern) {
    struct Case {
        TParseResults result;
        local_days start;
        const char* words;
        outlook::OlRecurrenceType type;
        local_days first;
    };
    const Case cases[] = {
        {recurring(1, 0, 0, 1), kToday, "every day", outlook::olRecursDaily, kToday},
        {recurring(1, 0, 0, 3), kToday, "every 3 days", outlook::olRecursDaily, kToday},
        {recurring(2, 4, 0, 1), kToday, "every week on Tuesday", outlook::olRecursWeekly, kToday},
        {recurring(2, 4, 0, 2), kToday, "every 2 weeks on Tuesday", outlook::olRecursWeekly,
         kToday},
        {recurring(2, 62, 0, 1), kToday, "every weekday", outlook::olRecursWeekly, kToday},
        {recurring(2, 65, 0, 1), day(2026, 12, 12), "every weekend", outlook::olRecursWeekly,
         day(2026, 12, 12)},
        {recurring(3, 0, 0, 1), day(2026, 12, 15), "every month on day 15",
         outlook::olRecursMonthly, day(2026, 12, 15)},
        {recurring(3, 0, 0, 2), kToday, "every 2 months on day 8", outlook::olRecursMonthly,
         kToday},
        {recurring(3, 32, 5, 1), day(2026, 12, 25), "monthly on the last Friday",
         outlook::olRecursMonthNth, day(2026, 12, 25)},
        {recurring(4, 0, 0, 1), kToday, "every year on 8 December", outlook::olRecursYearly,
         kToday},
    };
    for (const Case& c : cases) {
        const RecurrenceFields fields = patternOf(c.result, c.start);
        EXPECT_EQ(outlook::DescribeRecurrence(fields), c.words);
        EXPECT_EQ(fields.recurrenceType, c.type) << c.words;
        EXPECT_EQ(fields.patternStartDate, c.first) << c.words;
        EXPECT_TRUE(fields.noEndDate) << c.words;
    }
    const RecurrenceFields nth = patternOf(recurring(3, 2, 1, 1), day(2027, 1, 4));
    EXPECT_EQ(nth.instance, 1);
    EXPECT_EQ(nth.dayOfWeekMask, outlook::olMonday);
    const RecurrenceFields yearly = patternOf(recurring(4, 0, 0, 1), day(2027, 3, 3));
    EXPECT_EQ(yearly.dayOfMonth, 3);
    EXPECT_EQ(yearly.monthOfYear, 3);
}

// "first monday of every month" typed on Tuesday 8 December 2026: the parser starts it on
// Monday 7 December, which has passed.
TEST(ParsedRepeat, APastStartBeginsWithTheNextOccurrence) {
    const RecurrenceFields firstMonday = patternOf(recurring(3, 2, 1, 1), day(2026, 12, 7));
    EXPECT_EQ(firstMonday.patternStartDate, day(2027, 1, 4));
    // "the 1st of every month" likewise waits for January.
    EXPECT_EQ(patternOf(recurring(3, 0, 0, 1), day(2026, 12, 1)).patternStartDate, day(2027, 1, 1));
}

// The user's own date is the start: a weekly repeat begins on its first day from there, a
// monthly one moves to the user's day of the month.
TEST(ParsedRepeat, TheStartGivesTheDayAndTheFirstOccurrence) {
    const std::optional<ParsedRepeat> mondays = RepeatOf(recurring(2, 2, 0, 1));
    EXPECT_EQ(
        PatternFor(*mondays, day(2026, 12, 16), day(2026, 12, 16), std::nullopt).patternStartDate,
        day(2026, 12, 21))
        << "a Wednesday starts a Monday repeat on the Monday after";
    const std::optional<ParsedRepeat> monthly = RepeatOf(recurring(3, 0, 0, 1));
    const RecurrenceFields on20th =
        PatternFor(*monthly, day(2027, 1, 20), day(2027, 1, 20), std::nullopt);
    EXPECT_EQ(on20th.dayOfMonth, 20);
    EXPECT_EQ(on20th.patternStartDate, day(2027, 1, 20));
    // A start in the past stays, when nothing later is asked for.
    EXPECT_EQ(
        PatternFor(*monthly, day(2026, 11, 3), day(2026, 11, 3), std::nullopt).patternStartDate,
        day(2026, 11, 3));
    // The parser gives the 28th for a repeat on the 31st; that is what is filed.
    EXPECT_EQ(patternOf(recurring(3, 0, 0, 1), day(2026, 12, 28)).dayOfMonth, 28);
}

TEST(ParsedRepeat, TimesGiveTheOccurrencesTheirLengthAndNoTimesAWholeDay) {
    const TParseResults daily = recurring(1, 0, 0, 1);
    const RecurrenceFields allDay = patternOf(daily, kToday);
    EXPECT_EQ(allDay.startTime, 0min);
    EXPECT_EQ(allDay.endTime, 0min);
    EXPECT_EQ(allDay.duration, 24 * 60);

    const RecurrenceFields timed = patternOf(daily, kToday, RepeatTimes{9h, 10h + 30min});
    EXPECT_EQ(timed.startTime, 9h);
    EXPECT_EQ(timed.endTime, 10h + 30min);
    EXPECT_EQ(timed.duration, 90);

    // 11pm to 1am: the single appointment ends at 11:59pm, and so does each occurrence.
    const RecurrenceFields late = patternOf(daily, kToday, RepeatTimes{23h, 1h});
    EXPECT_EQ(late.endTime, 23h + 59min);
    EXPECT_EQ(late.duration, 59);
}

}  // namespace
}  // namespace notes
