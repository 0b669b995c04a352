#include <gtest/gtest.h>

#include <string>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

struct Row {
    const char* text;
    const char* start;
    const char* end;
};

class TimeOfDayTest : public ParseTest {
protected:
    void expectRows(std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            const TParseResults r = parse(row.text);
            EXPECT_STREQ(r.startTime, row.start) << row.text;
            EXPECT_STREQ(r.endTime, row.end) << row.text;
        }
    }
};

TEST_F(TimeOfDayTest, SingleTimes) {
    expectRows({
        {"3pm", "15:0", ""},
        {"call at 10:30", "10:30", ""},
        {"9:05 am", "9:5", ""},
        {"12:00am", "0:0", ""},
        {"noon", "12:0", ""},
        {"midnight", "23:59", ""},
        {"Call Bob at 3PM re: budget", "15:0", ""},
        // The first time wins.
        {"3pm or 5pm", "15:0", ""},
        {"at 5 then 6:45 pm", "18:45", ""},
    });
}

TEST_F(TimeOfDayTest, RangesFromATime) {
    expectRows({
        {"10:00 to 11:30", "10:0", "11:30"},
        {"9:00 through 17:00", "9:0", "17:0"},
        {"9am until 5pm", "9:0", "17:0"},
        {"9am - 12:15pm", "9:0", "12:15"},
        // A bare hour as the end takes the half of the day that puts it after the start.
        {"9am to 5", "9:0", "17:0"},
        {"9am to 11", "9:0", "11:0"},
        {"8am - 12", "8:0", "12:0"},
        {"10:30 - 11", "10:30", "11:0"},
        {"noon to 2", "12:0", "14:0"},
        {"1pm to 12", "13:0", ""},
        {"3pm to 2pm", "15:0", ""},
        {"midnight to 1am", "23:59", ""},
        // 14 is no hour, so there is no range.
        {"13:00 - 14", "13:0", ""},
        {"11pm to 0:30", "23:0", ""},
    });
}

TEST_F(TimeOfDayTest, RangesFromAnHour) {
    expectRows({
        {"2-4pm", "14:0", "16:0"},
        {"2 to 4pm", "14:0", "16:0"},
        {"2 - 4:30pm", "14:0", "16:30"},
        {"10-11am", "10:0", "11:0"},
        {"11-1pm", "11:0", "13:0"},
        {"3 to 3pm", "3:0", "15:0"},
        {"12 to 1pm", "12:0", "13:0"},
        {"9 to 17:30", "9:0", "17:30"},
        // No half of the day fits: the hour is dropped and the time stands alone.
        {"2 to 1am", "1:0", ""},
    });
}

TEST_F(TimeOfDayTest, Between) {
    expectRows({
        {"between 1pm and 3pm", "13:0", "15:0"},
        {"between 9am & 11:30am", "9:0", "11:30"},
        {"between 1pm and 3", "13:0", "15:0"},
        {"between 1 and 3pm", "13:0", "15:0"},
        {"between 10 and 2pm", "10:0", "14:0"},
        // A failed range leaves the scan to go on after "between".
        {"between 3pm and 1pm", "15:0", ""},
        {"between 5 and 7 or at 8pm", "20:0", ""},
        {"between 2 and 4", "", ""},
    });
}

TEST_F(TimeOfDayTest, BareHoursAreNoTimes) {
    for (const char* text : {"at 5", "from 9 to 5", "between 2 and 4", "9 until 5", "room 12"}) {
        const TParseResults r = parse(text);
        EXPECT_STREQ(r.startTime, "") << text;
        EXPECT_STREQ(r.endTime, "") << text;
        EXPECT_STREQ(r.date, "") << text;
    }
}

TEST_F(TimeOfDayTest, ATimeWithoutADateTakesToday) {
    TParseResults r = parse("lunch at noon");
    EXPECT_STREQ(r.date, "4/15/1998");
    EXPECT_STREQ(r.startTime, "12:0");
    EXPECT_EQ(r.isRecurring, 0);

    setNow(1999, 12, 31, 23);
    r = parse("between 1pm and 3pm");
    EXPECT_STREQ(r.date, "12/31/1999");
    EXPECT_STREQ(r.endTime, "15:0");
}

TEST_F(TimeOfDayTest, ATimeKeepsTheDateFound) {
    TParseResults r = parse("meet bob tomorrow at 3pm");
    EXPECT_STREQ(r.date, "4/16/1998");
    EXPECT_STREQ(r.startTime, "15:0");

    r = parse("dentist 4/20 9:30-11am");
    EXPECT_STREQ(r.date, "4/20/1998");
    EXPECT_STREQ(r.startTime, "9:30");
    EXPECT_STREQ(r.endTime, "11:0");

    r = parse("standup every friday 10am to noon");
    EXPECT_STREQ(r.date, "4/17/1998");
    EXPECT_EQ(r.isRecurring, 1);
    EXPECT_STREQ(r.startTime, "10:0");
    EXPECT_STREQ(r.endTime, "12:0");
}

}  // namespace
}  // namespace sentex::testing
