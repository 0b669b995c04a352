#include <gtest/gtest.h>

#include <string>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

// What a parse says about a repeat, in one comparable line:
// "date unit=U interval=I days=D nth=N", or "date once" when not recurring.
std::string describe(const TParseResults& r) {
    std::string out = std::string(r.date[0] ? r.date : "-");
    if (!r.isRecurring) {
        const bool clean =
            r.recurUnit == 0 && r.recurDays == 0 && r.recurNth == 0 && recurInterval(r) == 0;
        return out + (clean ? " once" : " once (with recurrence fields set)");
    }
    return out + " unit=" + std::to_string(r.recurUnit) +
           " interval=" + std::to_string(recurInterval(r)) +
           " days=" + std::to_string(r.recurDays) + " nth=" + std::to_string(r.recurNth);
}

struct Row {
    const char* text;
    const char* expected;
};

class RecurrenceTest : public ParseTest {
protected:
    void expectRows(std::initializer_list<Row> rows) {
        for (const Row& row : rows)
            EXPECT_EQ(describe(parse(row.text)), row.expected) << row.text;
    }
};

// Now is Wednesday 15 April 1998.

TEST_F(RecurrenceTest, EveryWithASpanStartsNow) {
    expectRows({
        {"every day", "4/15/1998 unit=1 interval=1 days=0 nth=0"},
        {"every three days", "4/15/1998 unit=1 interval=3 days=0 nth=0"},
        {"every 2 weeks", "4/15/1998 unit=2 interval=2 days=8 nth=0"},
        {"every week", "4/15/1998 unit=2 interval=1 days=8 nth=0"},
        {"every month", "4/15/1998 unit=3 interval=1 days=0 nth=0"},
        {"every year", "4/15/1998 unit=4 interval=1 days=0 nth=0"},
        {"every other day", "4/15/1998 unit=1 interval=2 days=0 nth=0"},
        {"every other week", "4/15/1998 unit=2 interval=2 days=8 nth=0"},
        {"every other month", "4/15/1998 unit=3 interval=2 days=0 nth=0"},
    });
}

TEST_F(RecurrenceTest, WeeklyOnNamedDays) {
    expectRows({
        {"every friday", "4/17/1998 unit=2 interval=1 days=32 nth=0"},
        {"every wednesday", "4/15/1998 unit=2 interval=1 days=8 nth=0"},
        {"every tuesday", "4/21/1998 unit=2 interval=1 days=4 nth=0"},
        {"every other tuesday", "4/21/1998 unit=2 interval=2 days=4 nth=0"},
        {"mondays", "4/20/1998 unit=2 interval=1 days=2 nth=0"},
        {"Wednesdays", "4/15/1998 unit=2 interval=1 days=8 nth=0"},
        {"every weekday", "4/15/1998 unit=2 interval=1 days=62 nth=0"},
        {"weekdays", "4/15/1998 unit=2 interval=1 days=62 nth=0"},
        {"every weekend", "4/18/1998 unit=2 interval=1 days=65 nth=0"},
        {"every other weekend", "4/18/1998 unit=2 interval=2 days=65 nth=0"},
        {"weekends", "4/18/1998 unit=2 interval=1 days=65 nth=0"},
    });
}

TEST_F(RecurrenceTest, StartsDependOnToday) {
    setNow(1998, 4, 18);  // Saturday
    expectRows({
        {"weekdays", "4/20/1998 unit=2 interval=1 days=62 nth=0"},
        {"every weekday", "4/20/1998 unit=2 interval=1 days=62 nth=0"},
        {"weekends", "4/18/1998 unit=2 interval=1 days=65 nth=0"},
        {"every 2 weeks", "4/18/1998 unit=2 interval=2 days=64 nth=0"},
        {"every saturday", "4/18/1998 unit=2 interval=1 days=64 nth=0"},
        {"fridays", "4/24/1998 unit=2 interval=1 days=32 nth=0"},
    });
    setNow(1998, 4, 19);  // Sunday
    expectRows({
        {"weekdays", "4/20/1998 unit=2 interval=1 days=62 nth=0"},
        {"every weekend", "4/25/1998 unit=2 interval=1 days=65 nth=0"},
        {"every other week", "4/19/1998 unit=2 interval=2 days=1 nth=0"},
    });
    setNow(1998, 4, 17);  // Friday
    expectRows({{"every weekday", "4/17/1998 unit=2 interval=1 days=62 nth=0"}});
}

TEST_F(RecurrenceTest, NthWeekdayOfEveryMonth) {
    // April 1998 begins on a Wednesday.
    expectRows({
        {"first monday of every month", "4/6/1998 unit=3 interval=1 days=2 nth=1"},
        {"the first monday of every month", "4/6/1998 unit=3 interval=1 days=2 nth=1"},
        {"2nd tuesday of every other month", "4/14/1998 unit=3 interval=2 days=4 nth=2"},
        {"third thursday every 2 months", "4/16/1998 unit=3 interval=2 days=16 nth=3"},
        {"last friday of every month", "4/24/1998 unit=3 interval=1 days=32 nth=5"},
        {"last thursday of every month", "4/30/1998 unit=3 interval=1 days=16 nth=5"},
        {"5th friday of every month", "4/24/1998 unit=3 interval=1 days=32 nth=5"},
    });
}

TEST_F(RecurrenceTest, DayNumberOfEveryMonth) {
    expectRows({
        {"the 15th of every month", "4/15/1998 unit=3 interval=1 days=0 nth=0"},
        {"1st of every month", "4/1/1998 unit=3 interval=1 days=0 nth=0"},
        {"the 10th every 3 months", "4/10/1998 unit=3 interval=3 days=0 nth=0"},
        {"the 20th of every other month", "4/20/1998 unit=3 interval=2 days=0 nth=0"},
        // April has no 31st: the start falls back to the 30th, which shows as the 28th.
        {"the 31st of every month", "4/28/1998 unit=3 interval=1 days=0 nth=0"},
        {"29th of every month", "4/28/1998 unit=3 interval=1 days=0 nth=0"},
    });
}

TEST_F(RecurrenceTest, LateMonthDaysShowAsThe28thOnlyForMonthlyAndYearlyRepeats) {
    setNow(1998, 4, 30);
    expectRows({
        {"every month", "4/28/1998 unit=3 interval=1 days=0 nth=0"},
        {"every year", "4/28/1998 unit=4 interval=1 days=0 nth=0"},
        {"every day", "4/30/1998 unit=1 interval=1 days=0 nth=0"},
        {"every week", "4/30/1998 unit=2 interval=1 days=16 nth=0"},
        {"last thursday of every month", "4/30/1998 unit=3 interval=1 days=16 nth=5"},
        {"today", "4/30/1998 once"},
    });
}

TEST_F(RecurrenceTest, PhrasesThatAreNotRepeats) {
    expectRows({
        {"every", "- once"},
        {"every other", "- once"},
        {"every other weekday", "- once"},
        {"every banana", "- once"},
        {"every 0 days", "- once"},
        // The n-th weekday needs a monthly repeat and n of 5 or less; what remains is
        // read as an ordinary date.
        {"first monday every week", "4/20/1998 once"},
        {"second friday every day", "4/17/1998 once"},
        {"first monday of may", "5/4/1998 once"},
        // A day number needs 1-31 and a monthly repeat.
        {"32nd of every month", "4/15/1998 unit=3 interval=1 days=0 nth=0"},
        // The first date phrase wins.
        {"tomorrow and every friday", "4/16/1998 once"},
    });
    setNow(1998, 6, 1);  // a Monday, in a month with five Mondays
    expectRows({{"sixth monday of every month", "6/8/1998 once"}});
}

}  // namespace
}  // namespace sentex::testing
