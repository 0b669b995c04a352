// Date phrases read through a whole parse. Now is Wednesday 15 April 1998, 10:00, and
// dates are written month/day/year unless a test sets another order.
#include <initializer_list>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

struct Case {
    const char* text;
    const char* expected;  // rendered date; empty for no date
};

class DateGrammarTest : public ParseTest {
protected:
    void expectDates(std::initializer_list<Case> cases) {
        for (const Case& c : cases)
            EXPECT_EQ(date(c.text), c.expected) << "text: " << c.text;
    }
};

TEST_F(DateGrammarTest, NumericMonthDayYear) {
    expectDates({
        {"call jim 4/20", "4/20/1998"},
        {"4/20/99", "4/20/1999"},
        {"4-20-2001", "4/20/2001"},
        {"4/15", "4/15/1998"},       // today is not past
        {"4/10", "4/10/1999"},       // already past this year
        {"2/30", "2/28/1999"},       // fallback, and this year's date is past
        {"2/31/00", "2/29/2000"},    // three fields fall back too
        {"12/25/47", "12/25/2047"},  // two-digit years window around now
    });
}

TEST_F(DateGrammarTest, NumericDayMonthYear) {
    state.environment.dateFormat = DateFormat{DateFormat::DayMonthYear, "."};
    expectDates({
        {"20/4", "20.4.1998"},
        {"20/4/99", "20.4.1999"},
        {"10-4", "10.4.1999"},
        {"31/4/98", "30.4.1998"},
        {"3/3/98", "3.3.1998"},
        {"4/20", ""},  // 20 is no month
    });
}

TEST_F(DateGrammarTest, NumericYearMonthDay) {
    state.environment.dateFormat = DateFormat{DateFormat::YearMonthDay, "-"};
    expectDates({
        {"98/4/20", "1998-4-20"},
        {"2001-12-25", "2001-12-25"},
        {"99/2/30", "1999-2-28"},
        {"1850/4/20", ""},  // no year
        {"98/13/45", ""},
    });
}

TEST_F(DateGrammarTest, DayBeforeMonth) {
    expectDates({
        {"20 april", "4/20/1998"},
        {"20th of april", "4/20/1998"},
        {"twenty april", "4/20/1998"},
        {"10 april", "4/10/1999"},
        {"15 march 1999", "3/15/1999"},
        {"31 april 99", "4/30/1999"},
        {"20 april 2100", "4/20/1998"},  // 2100 is no year, so the next 20 April
        {"the 3rd of may", "5/3/1998"},
    });
}

TEST_F(DateGrammarTest, MonthFirst) {
    expectDates({
        {"april 20th", "4/20/1998"},
        {"march 15th", "3/15/1999"},
        {"feb 30", "2/28/1999"},
        {"sept 31", "9/30/1998"},
        {"dec 25 2001", "12/25/2001"},
        {"june 5 150", "6/5/1998"},
        {"may i call bob tomorrow", "4/16/1998"},  // "i" is no day: the month gives way
    });
}

TEST_F(DateGrammarTest, SpansFromNow) {
    expectDates({
        {"in 2 weeks", "4/29/1998"},
        {"in three days", "4/18/1998"},
        {"within 3 days", "4/18/1998"},
        {"in 1 month", "5/15/1998"},
        {"in month", "5/15/1998"},
        {"in 11 months", "3/15/1999"},
        {"in 12 months", "4/15/1999"},
        {"in 101 years", "4/15/2099"},
        {"in 102 years", ""},  // 2100 is out of reach
        {"in 0 days", ""},
    });
}

TEST_F(DateGrammarTest, SpansFromAnAnchor) {
    expectDates({
        {"2 weeks from friday", "5/1/1998"},
        {"3 days after tomorrow", "4/19/1998"},
        {"1 week following 4/20", "4/27/1998"},
        {"week from friday", "4/24/1998"},
        {"two days after 20 april", "4/22/1998"},
        // A second span replaces the first one.
        {"2 days from 3 weeks from friday", "5/8/1998"},
        // Without an anchor the span is dropped and reading goes on after it.
        {"2 weeks then friday", "4/17/1998"},
        // An anchored span that cannot be added is dropped as well.
        {"200 years from today friday", "4/17/1998"},
        {"2 weeks", ""},
        {"2 weeks from", ""},
    });
}

TEST_F(DateGrammarTest, Weekdays) {
    expectDates({
        {"friday", "4/17/1998"},
        {"tuesday", "4/21/1998"},
        {"wednesday", "4/22/1998"},  // a week ahead, not today
        {"friday march 13", "3/13/1999"},
        {"friday 4/24", "4/24/1998"},
        {"friday, the 13th", "4/17/1998"},
        {"friday 13th", "4/17/1998"},
    });
}

TEST_F(DateGrammarTest, RelativeDays) {
    expectDates({
        {"today", "4/15/1998"},
        {"tonight", "4/15/1998"},
        {"tomorrow", "4/16/1998"},
        {"this wednesday", "4/22/1998"},
        {"the friday", "4/17/1998"},
        {"this morning", "4/15/1998"},
        {"this evening", "4/15/1998"},
    });
}

TEST_F(DateGrammarTest, NextWeekday) {
    expectDates({
        {"next friday", "4/24/1998"},
        {"next monday", "4/20/1998"},
        {"next wednesday", "4/22/1998"},
        {"next sunday", "4/26/1998"},
    });
    setNow(1998, 4, 19);  // a Sunday
    expectDates({{"next monday", "4/27/1998"}, {"next sunday", "4/26/1998"}});
    setNow(1998, 4, 18);  // a Saturday
    expectDates({{"next friday", "4/24/1998"}, {"next sunday", "4/26/1998"}});
}

TEST_F(DateGrammarTest, NthWeekdayOfAMonth) {
    expectDates({
        {"second monday in june", "6/8/1998"},
        {"last friday in may", "5/29/1998"},
        {"last wednesday in june", "6/24/1998"},  // no fifth one
        {"fourth thursday in november", "11/26/1998"},
        {"first monday in april", "4/5/1999"},  // April's 1st is past
        {"first friday in june 2001", "6/1/2001"},
        {"second tuesday in 6/99", "6/8/1999"},
        {"third friday in this month", "4/17/1998"},
        {"first monday this month", "4/6/1998"},
        {"last friday in next month", "5/29/1998"},
        {"first monday in this june", "6/1/1998"},
        {"first monday next june", "6/7/1999"},
        // Without a month the ordinal is dropped and the day name stands alone.
        {"last friday", "4/17/1998"},
        {"sixth friday in may", "4/17/1998"},
    });
    setNow(1998, 12, 10);
    expectDates({{"first friday next month", "1/1/1999"}});
}

TEST_F(DateGrammarTest, TextsWithoutADate) {
    expectDates({
        {"", ""},
        {"call bob about the contract", ""},
        {"april 1999", ""},  // 1999 is no day number
        {"3/98", ""},
        {"13/5", ""},
        {"4/20/2100", ""},
        {"32 april", ""},
        {"the 3rd", ""},
        {"next week", ""},
        {"this week", ""},
    });
}

}  // namespace
}  // namespace sentex::testing
