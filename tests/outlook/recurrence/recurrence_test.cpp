#include <gtest/gtest.h>
#include <libical/ical.h>

#include "outlook/recurrence/occurrences.h"
#include "outlook/recurrence/pattern_properties.h"
#include "outlook/recurrence/recurrence_rule.h"
#include "outlook/recurrence/recurrence_words.h"
#include "tests/support/recording_dispatch.h"

namespace outlook {
namespace {

using namespace std::chrono;

local_days day(int y, unsigned m, unsigned d) {
    return local_days(year(y) / m / d);
}

RecurrenceFields pattern(OlRecurrenceType type, local_days start, std::int32_t interval = 1) {
    RecurrenceFields p;
    p.recurrenceType = type;
    p.patternStartDate = start;
    p.interval = interval;
    return p;
}

RecurrenceFields weekly(local_days start, std::int32_t interval, std::int32_t days) {
    RecurrenceFields p = pattern(olRecursWeekly, start, interval);
    p.dayOfWeekMask = days;
    return p;
}

RecurrenceFields monthNth(local_days start, std::int32_t instance, std::int32_t days) {
    RecurrenceFields p = pattern(olRecursMonthNth, start);
    p.instance = instance;
    p.dayOfWeekMask = days;
    return p;
}

RecurrenceFields monthly(local_days start, std::int32_t dayOfMonth) {
    RecurrenceFields p = pattern(olRecursMonthly, start);
    p.dayOfMonth = dayOfMonth;
    return p;
}

TEST(RecurrenceWords, SayEachFormTheParserFiles) {
    const local_days start = day(2026, 12, 8);
    EXPECT_EQ(DescribeRecurrence(pattern(olRecursDaily, start)), "every day");
    EXPECT_EQ(DescribeRecurrence(pattern(olRecursDaily, start, 3)), "every 3 days");
    EXPECT_EQ(DescribeRecurrence(weekly(start, 2, olTuesday)), "every 2 weeks on Tuesday");
    EXPECT_EQ(DescribeRecurrence(weekly(start, 1, olFriday)), "every week on Friday");
    EXPECT_EQ(DescribeRecurrence(weekly(start, 1, 62)), "every weekday");
    EXPECT_EQ(DescribeRecurrence(weekly(start, 1, olSaturday | olSunday)), "every weekend");
    EXPECT_EQ(DescribeRecurrence(weekly(start, 2, olSaturday | olSunday)),
              "every 2 weeks on Sunday and Saturday");
    EXPECT_EQ(DescribeRecurrence(weekly(start, 1, olMonday | olWednesday | olFriday)),
              "every week on Monday, Wednesday and Friday");
    EXPECT_EQ(DescribeRecurrence(monthNth(start, 1, olMonday)), "monthly on the first Monday");
    EXPECT_EQ(DescribeRecurrence(monthNth(start, 5, olFriday)), "monthly on the last Friday");
    EXPECT_EQ(DescribeRecurrence(monthly(start, 15)), "every month on day 15");

    RecurrenceFields yearly = pattern(olRecursYearly, start, 2);
    yearly.dayOfMonth = 3;
    yearly.monthOfYear = 3;
    EXPECT_EQ(DescribeRecurrence(yearly), "every 2 years on 3 March");
    yearly.recurrenceType = olRecursYearNth;
    yearly.interval = 1;
    yearly.instance = 4;
    yearly.dayOfWeekMask = olThursday;
    yearly.monthOfYear = 11;
    EXPECT_EQ(DescribeRecurrence(yearly), "yearly on the fourth Thursday of November");
}

TEST(RecurrenceRule, WritesTheIcalendarFormOfEachType) {
    const local_days start = day(2026, 12, 8);
    EXPECT_EQ(RecurrenceRule(pattern(olRecursDaily, start)), "FREQ=DAILY;WKST=SU");
    EXPECT_EQ(RecurrenceRule(weekly(start, 2, olTuesday)),
              "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU;WKST=SU");
    EXPECT_EQ(RecurrenceRule(weekly(start, 1, 62)), "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR;WKST=SU");
    EXPECT_EQ(RecurrenceRule(monthNth(start, 1, olMonday)),
              "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1;WKST=SU");
    EXPECT_EQ(RecurrenceRule(monthNth(start, 5, olMonday)),
              "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=-1;WKST=SU");
    // A pattern without its day takes the start's.
    EXPECT_EQ(RecurrenceRule(monthly(start, 0)), "FREQ=MONTHLY;BYMONTHDAY=8;WKST=SU");
    EXPECT_EQ(RecurrenceRule(pattern(olRecursYearly, start)),
              "FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=8;WKST=SU");

    RecurrenceFields ending = pattern(olRecursDaily, start);
    ending.noEndDate = false;
    ending.occurrences = 5;
    EXPECT_EQ(RecurrenceRule(ending), "FREQ=DAILY;COUNT=5;WKST=SU");
    ending.occurrences = 0;
    ending.patternEndDate = day(2027, 1, 31);
    EXPECT_EQ(RecurrenceRule(ending), "FREQ=DAILY;UNTIL=20270131;WKST=SU");
    EXPECT_EQ(RecurrenceRule(ending, true), "FREQ=DAILY;UNTIL=20270131T235959;WKST=SU");
}

TEST(Occurrences, EveryOtherTuesdaySkipsTheTuesdayBetween) {
    const RecurrenceFields p = weekly(day(2026, 12, 8), 2, olTuesday);
    EXPECT_EQ(OccurrenceDays(p, day(2026, 12, 1), day(2027, 1, 10)),
              (std::vector<local_days>{day(2026, 12, 8), day(2026, 12, 22), day(2027, 1, 5)}));
    // Far on, the weeks still count from the start.
    EXPECT_EQ(OccurrenceDays(p, day(2030, 6, 1), day(2030, 6, 20)),
              (std::vector<local_days>{day(2030, 6, 4), day(2030, 6, 18)}));
}

TEST(Occurrences, FirstOccurrenceIsTheFirstMatchingDayFromTheStart) {
    // The first Monday of December 2026 is past on the 8th: the next is January's.
    const RecurrenceFields first = monthNth(day(2026, 12, 7), 1, olMonday);
    EXPECT_EQ(FirstOccurrenceFrom(first, day(2026, 12, 8)), day(2027, 1, 4));
    EXPECT_EQ(FirstOccurrenceFrom(first, day(2026, 12, 7)), day(2026, 12, 7));
    // A start that is no occurrence is not one.
    EXPECT_EQ(FirstOccurrenceFrom(weekly(day(2026, 12, 10), 1, olTuesday), day(2026, 12, 1)),
              day(2026, 12, 15));
    EXPECT_EQ(
        OccurrenceDays(monthNth(day(2026, 12, 1), 5, olMonday), day(2026, 12, 1), day(2027, 2, 28)),
        (std::vector<local_days>{day(2026, 12, 28), day(2027, 1, 25), day(2027, 2, 22)}));
}

TEST(Occurrences, MonthsWithoutTheDayAreSkipped) {
    EXPECT_EQ(OccurrenceDays(monthly(day(2026, 12, 31), 31), day(2026, 12, 1), day(2027, 5, 31)),
              (std::vector<local_days>{day(2026, 12, 31), day(2027, 1, 31), day(2027, 3, 31),
                                       day(2027, 5, 31)}));
    RecurrenceFields leap = pattern(olRecursYearly, day(2024, 2, 29));
    leap.dayOfMonth = 29;
    leap.monthOfYear = 2;
    EXPECT_EQ(OccurrenceDays(leap, day(2025, 1, 1), day(2032, 12, 31)),
              (std::vector<local_days>{day(2028, 2, 29), day(2032, 2, 29)}));
}

TEST(Occurrences, AnEndedRepeatStops) {
    RecurrenceFields counted = pattern(olRecursDaily, day(2026, 12, 8));
    counted.noEndDate = false;
    counted.occurrences = 3;
    // The count runs from the start, whatever day the expansion begins on.
    EXPECT_EQ(OccurrenceDays(counted, day(2026, 12, 9), day(2027, 1, 1)),
              (std::vector<local_days>{day(2026, 12, 9), day(2026, 12, 10)}));
    EXPECT_EQ(FirstOccurrenceFrom(counted, day(2026, 12, 11)), std::nullopt);

    RecurrenceFields until = weekly(day(2026, 12, 8), 1, olTuesday);
    until.noEndDate = false;
    until.patternEndDate = day(2026, 12, 22);
    EXPECT_EQ(OccurrenceDays(until, day(2026, 12, 1), day(2027, 1, 31)).size(), 3u);
}

// The days libical's iterator gives walking the rule from the pattern's start.
std::vector<local_days> walkedByLibical(const RecurrenceFields& p, local_days from, local_days to) {
    const icalrecurrencetype rule = icalrecurrencetype_from_string(RecurrenceRule(p, true).c_str());
    const year_month_day start(p.patternStartDate);
    icaltimetype dtstart = icaltime_null_time();
    dtstart.year = int(start.year());
    dtstart.month = int(unsigned(start.month()));
    dtstart.day = int(unsigned(start.day()));
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, dtstart);
    std::vector<local_days> days;
    for (icaltimetype t = icalrecur_iterator_next(iterator); !icaltime_is_null_time(t);
         t = icalrecur_iterator_next(iterator)) {
        const local_days day = local_days(year(t.year) / t.month / t.day);
        if (day > to) break;
        if (day >= from) days.push_back(day);
    }
    icalrecur_iterator_free(iterator);
    return days;
}

TEST(Occurrences, DailyAndWeeklyRepeatsFallOnTheDaysLibicalGives) {
    const local_days from = day(2027, 1, 1), to = day(2029, 12, 31);
    int compared = 0;
    for (const local_days start : {day(2026, 11, 3), day(2027, 2, 28), day(2027, 6, 19)}) {
        for (std::int32_t interval : {1, 2, 3, 5}) {
            RecurrenceFields daily = pattern(olRecursDaily, start, interval);
            EXPECT_EQ(OccurrenceDays(daily, from, to), walkedByLibical(daily, from, to));
            daily.noEndDate = false;
            daily.occurrences = 400;
            EXPECT_EQ(OccurrenceDays(daily, from, to), walkedByLibical(daily, from, to));
            for (std::int32_t mask :
                 {0, int(olTuesday), 62, olSunday | olSaturday, 0x7F, olMonday | olThursday}) {
                RecurrenceFields p = weekly(start, interval, mask);
                EXPECT_EQ(OccurrenceDays(p, from, to), walkedByLibical(p, from, to))
                    << "every " << interval << " weeks, mask " << mask;
                p.noEndDate = false;
                p.patternEndDate = day(2028, 5, 9);
                EXPECT_EQ(OccurrenceDays(p, from, to), walkedByLibical(p, from, to))
                    << "ending, every " << interval << " weeks, mask " << mask;
                RecurrenceFields counted = weekly(start, interval, mask);
                counted.noEndDate = false;
                counted.occurrences = 23;
                EXPECT_EQ(OccurrenceDays(counted, from, to), walkedByLibical(counted, from, to))
                    << "23 times, every " << interval << " weeks, mask " << mask;
                // From a day inside the run, as the views ask.
                EXPECT_EQ(OccurrenceDays(p, day(2027, 8, 11), day(2027, 8, 24)),
                          walkedByLibical(p, day(2027, 8, 11), day(2027, 8, 24)));
                EXPECT_EQ(FirstOccurrenceFrom(p, start), walkedByLibical(p, start, to).front());
                compared += 5;
            }
        }
    }
    EXPECT_EQ(compared, 360);
}

TEST(PatternProperties, RoundTripUnderTheObjectModelsNames) {
    RecurrenceFields p = monthNth(day(2026, 12, 7), 1, olMonday);
    p.startTime = hours(10);
    p.endTime = hours(11) + minutes(30);
    p.duration = 90;
    p.noEndDate = false;
    p.patternEndDate = day(2027, 6, 30);

    testing::RecordingDispatch object;
    PutRecurrencePattern(object, p);
    EXPECT_EQ(object.log.front(), "put RecurrenceType");
    EXPECT_EQ(object.log.back(), "put PatternEndDate");
    EXPECT_EQ(object.properties["RecurrenceType"].asInt(), 3);
    EXPECT_EQ(object.properties["DayOfWeekMask"].asInt(), 2);
    // What the end does not set, a pattern object holds as its defaults.
    object.properties["NoEndDate"] = false;
    object.properties["Occurrences"] = 0;
    EXPECT_EQ(GetRecurrencePattern(object), p);
}

}  // namespace
}  // namespace outlook
