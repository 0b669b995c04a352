#include "parser/date_time.h"

#include <gtest/gtest.h>

#include <ctime>

namespace sentex {
namespace {

struct Parts {
    int year, month, day, hour, minute, second;
};

void expectParts(DateTime d, Parts p) {
    ASSERT_TRUE(d.isValid());
    EXPECT_EQ(d.year(), p.year);
    EXPECT_EQ(d.month(), p.month);
    EXPECT_EQ(d.day(), p.day);
    EXPECT_EQ(d.hour(), p.hour);
    EXPECT_EQ(d.minute(), p.minute);
    EXPECT_EQ(d.second(), p.second);
}

TEST(DateTimeTest, DefaultIsAValidZero) {
    const DateTime d;
    EXPECT_TRUE(d.isValid());
    EXPECT_EQ(d.serial(), 0.0);
    EXPECT_EQ(DateTime::invalid().status(), DateTime::Status::Invalid);
}

// Before day zero the serial's fraction still counts forward from midnight.
TEST(DateTimeTest, SerialsCountDaysFromTheEndOf1899) {
    struct Row {
        Parts parts;
        double serial;
    };
    const Row rows[] = {{{1899, 12, 30, 0, 0, 0}, 0},        {{1899, 12, 31, 0, 0, 0}, 1},
                        {{1900, 1, 1, 0, 0, 0}, 2},          {{1998, 4, 15, 0, 0, 0}, 35900},
                        {{1998, 4, 15, 18, 0, 0}, 35900.75}, {{1899, 12, 30, 6, 0, 0}, 0.25},
                        {{1899, 12, 29, 0, 0, 0}, -1},       {{1899, 12, 29, 6, 0, 0}, -1.25},
                        {{1899, 12, 28, 18, 0, 0}, -2.75},   {{100, 1, 1, 0, 0, 0}, -657434},
                        {{9999, 12, 31, 0, 0, 0}, 2958465}};
    for (const Row& r : rows) {
        const Parts& p = r.parts;
        const DateTime d = DateTime::fromParts(p.year, p.month, p.day, p.hour, p.minute, p.second);
        SCOPED_TRACE(r.serial);
        EXPECT_DOUBLE_EQ(d.serial(), r.serial);
        expectParts(d, p);
    }
}

TEST(DateTimeTest, ReadsBackPartsOnBothSidesOfDayZero) {
    expectParts(DateTime::fromParts(1998, 4, 15, 10, 30, 45), {1998, 4, 15, 10, 30, 45});
    expectParts(DateTime::fromParts(1800, 6, 1, 18, 45, 59), {1800, 6, 1, 18, 45, 59});
    expectParts(DateTime::fromParts(9999, 12, 31, 23, 59, 59), {9999, 12, 31, 23, 59, 59});
}

// Every second of a day reads back as itself, on days far from and near day zero on
// both sides, and a second more moves it on by exactly one: the rounding of the serial's
// fraction to whole seconds never lands on a neighbour.
TEST(DateTimeTest, EverySecondOfADayReadsBackExactly) {
    struct Day {
        int year, month, day;
    };
    for (const Day day : {Day{9999, 12, 31}, Day{1998, 4, 15}, Day{1899, 12, 30}, Day{1899, 12, 29},
                          Day{100, 1, 1}}) {
        for (int s = 0; s < 86400; ++s) {
            const int h = s / 3600, m = s / 60 % 60, sec = s % 60;
            const DateTime d = DateTime::fromParts(day.year, day.month, day.day, h, m, sec);
            ASSERT_EQ(d.hour() * 3600 + d.minute() * 60 + d.second(), s) << day.year;
            ASSERT_EQ(d.dayOfWeek(), d.dateOnly().dayOfWeek()) << day.year << " " << s;
            if (s + 1 < 86400) {
                const DateTime next = d.plus(DateSpan::of(0, 0, 0, 1));
                ASSERT_EQ(next.hour() * 3600 + next.minute() * 60 + next.second(), s + 1)
                    << day.year;
            }
        }
    }
}

TEST(DateTimeTest, CombinationsThatDoNotExistAreInvalid) {
    const Parts rows[] = {
        {1999, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {1998, 4, 31, 0, 0, 0},
        {1998, 0, 1, 0, 0, 0},  {1998, 13, 1, 0, 0, 0}, {1998, 1, 0, 0, 0, 0},
        {1998, 1, 32, 0, 0, 0}, {1998, 1, 1, 24, 0, 0}, {1998, 1, 1, 0, 60, 0},
        {1998, 1, 1, 0, 0, 60}, {1998, 1, 1, -1, 0, 0}, {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0}, {-1998, 1, 1, 0, 0, 0},
    };
    for (const Parts& p : rows)
        EXPECT_FALSE(
            DateTime::fromParts(p.year, p.month, p.day, p.hour, p.minute, p.second).isValid())
            << p.year << "-" << p.month << "-" << p.day << " " << p.hour << ":" << p.minute << ":"
            << p.second;
}

TEST(DateTimeTest, DayOfWeekRunsFromSunday) {
    EXPECT_EQ(DateTime::fromParts(1998, 4, 15).dayOfWeek(), 4);      // Wednesday
    EXPECT_EQ(DateTime::fromParts(1998, 4, 19, 23).dayOfWeek(), 1);  // Sunday
    EXPECT_EQ(DateTime::fromParts(1899, 12, 30).dayOfWeek(), 7);
    EXPECT_EQ(DateTime::fromParts(1899, 12, 29, 18).dayOfWeek(), 6);
    EXPECT_EQ(DateTime::fromParts(1800, 6, 1).dayOfWeek(), 1);
    EXPECT_EQ(DateTime::fromParts(100, 1, 1).dayOfWeek(), 6);
    EXPECT_EQ(DateTime::fromParts(9999, 12, 31).dayOfWeek(), 6);
}

TEST(DateTimeTest, PlusKeepsTheTimeOfDay) {
    const DateTime morning = DateTime::fromParts(1998, 4, 15, 10, 30, 0);
    expectParts(morning.plus(DateSpan::of(1)), {1998, 4, 16, 10, 30, 0});
    expectParts(morning.plus(DateSpan::of(-20)), {1998, 3, 26, 10, 30, 0});
    expectParts(morning.plus(DateSpan::of(0, 14)), {1998, 4, 16, 0, 30, 0});
    expectParts(morning.plus(DateSpan::of(0, 0, 0, 30)), {1998, 4, 15, 10, 30, 30});

    // Across day zero, where the serial's fraction changes direction.
    const DateTime early = DateTime::fromParts(1899, 12, 29, 6, 0, 0);
    const DateTime twoDaysOn = early.plus(DateSpan::of(2));
    EXPECT_DOUBLE_EQ(twoDaysOn.serial(), 1.25);
    expectParts(twoDaysOn, {1899, 12, 31, 6, 0, 0});
    EXPECT_DOUBLE_EQ(early.plus(DateSpan::of(0, 12)).serial(), -1.75);
    const DateTime back = DateTime::fromParts(1900, 1, 1, 18, 0, 0).plus(DateSpan::of(-3));
    EXPECT_DOUBLE_EQ(back.serial(), -1.75);
    expectParts(back, {1899, 12, 29, 18, 0, 0});
}

TEST(DateTimeTest, PlusOutsideTheRangeIsInvalid) {
    const DateTime last = DateTime::fromParts(9999, 12, 31, 12, 0, 0);
    EXPECT_FALSE(last.plus(DateSpan::of(1)).isValid());
    EXPECT_FALSE(DateTime::fromParts(100, 1, 1).plus(DateSpan::of(-1)).isValid());
    EXPECT_FALSE(DateTime::invalid().plus(DateSpan::of(1)).isValid());
    expectParts(last.plus(DateSpan::of(0, 11, 59, 59)), {9999, 12, 31, 23, 59, 59});
}

TEST(DateTimeTest, DateOnlyIsMidnightOfTheSameDay) {
    EXPECT_DOUBLE_EQ(DateTime::fromParts(1998, 4, 15, 10, 30, 0).dateOnly().serial(), 35900);
    EXPECT_DOUBLE_EQ(DateTime::fromParts(1899, 12, 29, 6, 0, 0).dateOnly().serial(), -1);
    EXPECT_DOUBLE_EQ(DateTime::fromParts(1899, 12, 30, 23, 0, 0).dateOnly().serial(), 0);
    EXPECT_FALSE(DateTime::invalid().dateOnly().isValid());
}

TEST(DateTimeTest, FromCalendarTimeUsesLocalTime) {
    std::tm parts{};
    parts.tm_year = 98;
    parts.tm_mon = 3;
    parts.tm_mday = 15;
    parts.tm_hour = 10;
    parts.tm_min = 5;
    parts.tm_isdst = -1;
    expectParts(DateTime::fromCalendarTime(std::mktime(&parts)), {1998, 4, 15, 10, 5, 0});
}

// Whatever order calendar times come in, repeated or not, the clock gives the local time
// of each; here around a change to summer time (2 am, 8 March 2026, in New York).
TEST(DateTimeTest, LocalClockGivesTheLocalTimeOfEachSecondAskedFor) {
    const std::time_t beforeChange = 1772953199;  // 01:59:59 EST
    const std::time_t times[] = {beforeChange,
                                 beforeChange,
                                 beforeChange + 1,
                                 beforeChange + 1,
                                 beforeChange,
                                 beforeChange + 86400,
                                 0,
                                 0,
                                 -1,
                                 -1,
                                 beforeChange - 1,
                                 beforeChange + 1};
    LocalClock clock;
    for (std::time_t t : times) {
        const DateTime expected = DateTime::fromCalendarTime(t);
        const DateTime local = clock.at(t);
        EXPECT_EQ(local.status(), expected.status()) << t;
        EXPECT_EQ(local.serial(), expected.serial()) << t;
    }
    EXPECT_NE(clock.at(beforeChange).serial(), clock.at(beforeChange + 1).serial());
}

}  // namespace
}  // namespace sentex
