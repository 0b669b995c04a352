// The iCalendar form of repeating items: RRULE, local times with the system zone's TZID and
// VTIMEZONE, DTSTART on repeating to-dos.

#include <gtest/gtest.h>

#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/system_time_zone.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"
#include "tests/outlook/local/repeating_items.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;
using mirror::calendarOf;
using mirror::calendarProblems;

// The text of the item's component alone, without the time zone's lines.
std::string itemPart(const std::string& text) {
    std::size_t begin = text.find("BEGIN:VEVENT");
    if (begin == std::string::npos) begin = text.find("BEGIN:VTODO");
    return begin == std::string::npos ? std::string() : text.substr(begin);
}

class RepeatWriter : public MirrorFixture {
protected:
    DispatchPtr bankCall(const RecurrenceFields& pattern) {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", "call the bank");
        fileRepeating(item, pattern);
        return item;
    }
};

TEST_F(RepeatWriter, ARepeatingEventHasItsRuleAndLocalTimesInTheSystemZone) {
    const std::string text = calendar(bankCall(everyOtherTuesday(dayOf(2027, 3, 2))));
    EXPECT_EQ(lineOf(itemPart(text), "RRULE"), "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=TU;WKST=SU");
    EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART;TZID=America/New_York:20270302T090000");
    EXPECT_EQ(lineOf(itemPart(text), "DTEND"), "DTEND;TZID=America/New_York:20270302T093000");
    EXPECT_EQ(lineOf(text, "TZID"), "TZID:America/New_York");
    // The zone comes before the event, and holds the change to summer time.
    EXPECT_LT(text.find("BEGIN:VTIMEZONE"), text.find("BEGIN:VEVENT"));
    EXPECT_NE(text.find("TZOFFSETTO:-0400"), std::string::npos) << text;
    EXPECT_EQ(linesOf(text, "EXDATE"), std::vector<std::string>{});

    // A rule on local times ends at the end of its last day there, given in UTC.
    RecurrenceFields ending = everyOtherTuesday(dayOf(2027, 3, 2));
    ending.noEndDate = false;
    ending.patternEndDate = dayOf(2027, 6, 29);
    EXPECT_EQ(lineOf(itemPart(calendar(bankCall(ending))), "RRULE"),
              "RRULE:FREQ=WEEKLY;UNTIL=20270630T035959Z;INTERVAL=2;BYDAY=TU;WKST=SU");
    ending.noEndDate = false;
    ending.occurrences = 5;
    EXPECT_EQ(lineOf(itemPart(calendar(bankCall(ending))), "RRULE"),
              "RRULE:FREQ=WEEKLY;COUNT=5;INTERVAL=2;BYDAY=TU;WKST=SU");
}

TEST_F(RepeatWriter, AllDayRepeatsAndRepeatingTasksUseDates) {
    auto birthday = createItem(olAppointmentItem);
    birthday->put("Subject", "Ann's birthday");
    birthday->put("Start", localDate(2027, 5, 14));
    birthday->put("AllDayEvent", true);
    birthday->put("Duration", 24 * 60);
    RecurrenceFields yearly;
    yearly.recurrenceType = olRecursYearly;
    yearly.dayOfMonth = 14;
    yearly.monthOfYear = 5;
    yearly.patternStartDate = dayOf(2027, 5, 14);
    yearly.duration = 24 * 60;
    yearly.noEndDate = false;
    yearly.patternEndDate = dayOf(2040, 5, 14);
    fileRepeating(birthday, yearly);
    std::string text = calendar(birthday);
    EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART;VALUE=DATE:20270514");
    EXPECT_EQ(lineOf(itemPart(text), "DTEND"), "DTEND;VALUE=DATE:20270515");
    EXPECT_EQ(lineOf(itemPart(text), "RRULE"),
              "RRULE:FREQ=YEARLY;UNTIL=20400514;BYMONTHDAY=14;BYMONTH=5;WKST=SU");
    EXPECT_EQ(text.find("VTIMEZONE"), std::string::npos);

    // A repeating to-do repeats from its DTSTART: the due day.
    auto task = createItem(olTaskItem);
    task->put("Subject", "Water the plants");
    task->put("DueDate", localDate(2027, 3, 5));
    task->call("GetRecurrencePattern");
    task->call("Save");
    text = calendar(task);
    EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART;VALUE=DATE:20270305");
    EXPECT_EQ(lineOf(itemPart(text), "DUE"), "DUE;VALUE=DATE:20270305");
    EXPECT_EQ(lineOf(itemPart(text), "RRULE"), "RRULE:FREQ=WEEKLY;BYDAY=FR;WKST=SU");

    // At a time of day, both in the zone.
    task->put("DueDate", localDate(2027, 3, 12, 17, 30));
    task->call("Save");
    text = calendar(task);
    EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART;TZID=America/New_York:20270312T173000");
    EXPECT_EQ(lineOf(itemPart(text), "DUE"), "DUE;TZID=America/New_York:20270312T173000");
}

TEST_F(RepeatWriter, WithoutAZoneNameTimesFloatAndOnUtcTheyStayInUtc) {
    {
        const ScopedTimeZone rule("EST5EDT4,M3.2.0,M11.1.0");
        const std::string text = calendar(bankCall(everyOtherTuesday(dayOf(2027, 3, 2))));
        EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART:20270302T090000");
        EXPECT_EQ(text.find("VTIMEZONE"), std::string::npos);
    }
    {
        const ScopedTimeZone utc("UTC");
        const std::string text = calendar(bankCall(everyOtherTuesday(dayOf(2027, 3, 2))));
        EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART:20270302T090000Z");
        EXPECT_EQ(text.find("VTIMEZONE"), std::string::npos);
    }
}

TEST_F(RepeatWriter, ADocumentHoldsTheZoneOnceFromItsEarliestTime) {
    auto later = bankCall(everyOtherTuesday(dayOf(2028, 1, 4)));
    auto earlier = bankCall(everyOtherTuesday(dayOf(2027, 3, 2)));
    auto single = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    mirror::CalendarDocument document(store());
    for (const auto& item : {later, earlier, single})
        document.add(recordOf(item));
    const std::string text = document.text();
    EXPECT_EQ(calendarProblems(text), std::vector<std::string>{}) << text;
    std::size_t zones = 0;
    for (const auto& line : unfoldedLines(text))
        zones += line == "BEGIN:VTIMEZONE";
    EXPECT_EQ(zones, 1u);
    // From the earlier repeat's first occurrence on.
    EXPECT_NE(text.find("DTSTART:20270302T090000\r\n"), std::string::npos) << text;
    // The single appointment is written as before, in UTC.
    EXPECT_NE(text.find("DTSTART:20260718T160000Z"), std::string::npos);
}

TEST(SystemTimeZone, IsNamedByTzOrByTheLinkOfLocaltime) {
    using mirror::timeZoneName;
    EXPECT_EQ(timeZoneName("Europe/Berlin", "/nonexistent"), "Europe/Berlin");
    EXPECT_EQ(timeZoneName(":Europe/Berlin", "/nonexistent"), "Europe/Berlin");
    EXPECT_EQ(timeZoneName("/usr/share/zoneinfo/America/New_York", "/nonexistent"),
              "America/New_York");
    EXPECT_EQ(timeZoneName(":/usr/share/zoneinfo/posix/Asia/Tokyo", "/nonexistent"), "Asia/Tokyo");
    EXPECT_EQ(timeZoneName("", "/nonexistent"), "UTC");
    EXPECT_EQ(timeZoneName("CET-1CEST,M3.5.0,M10.5.0/3", "/nonexistent"), "");
    EXPECT_EQ(timeZoneName("/home/ann/zone", "/nonexistent"), "");

    const TempFolder folder;
    const fs::path link = folder.path() / "localtime";
    fs::create_symlink("../usr/share/zoneinfo/Europe/Lisbon", link);
    EXPECT_EQ(timeZoneName(nullptr, link), "Europe/Lisbon");
    EXPECT_EQ(timeZoneName(nullptr, folder.path() / "missing"), "");
}

}  // namespace
}  // namespace outlook::local::testing
