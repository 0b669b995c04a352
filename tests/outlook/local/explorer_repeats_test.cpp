// Repeating appointments in the explorer: each occurrence on the days shown, and the repeat
// in words among an item's details.

#include <gtest/gtest.h>

#include "outlook/local/explorer_model.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/occurrences.h"
#include "tests/outlook/local/explorer_model_fixture.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"
#include "tests/outlook/local/repeating_items.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;

OleDate ole(local_seconds time) {
    return OleDateFromLocal(time_point_cast<milliseconds>(time));
}

AgendaEntry repeating(const char* subject, const RecurrenceFields& pattern) {
    AgendaEntry e;
    e.subject = subject;
    e.recurrence = pattern;
    e.repeats = "in words";
    e.start = pattern.patternStartDate + pattern.startTime;
    e.end = e.start + minutes(pattern.duration);
    return e;
}

// Day by day, "subject at HH:MM" for each entry.
std::vector<std::vector<std::string>> shown(const std::vector<AgendaDay>& agenda) {
    std::vector<std::vector<std::string>> out;
    for (const auto& day : agenda) {
        std::vector<std::string> entries;
        for (const auto& e : day.entries) {
            const auto time = hh_mm_ss(e.start - floor<days>(e.start));
            entries.push_back(e.subject + " at " + std::to_string(time.hours().count()) + ":" +
                              (time.minutes().count() < 10 ? "0" : "") +
                              std::to_string(time.minutes().count()));
        }
        out.push_back(entries);
    }
    return out;
}

using Days = std::vector<std::vector<std::string>>;

TEST(ExplorerRepeats, EachOccurrenceWithinTheShownDaysIsListed) {
    AgendaEntry single;
    single.subject = "Lunch";
    single.start = dayOf(2027, 3, 16) + hours(12);
    single.end = single.start + hours(1);
    const std::vector<AgendaEntry> appointments = {
        repeating("Bank", everyOtherTuesday(dayOf(2027, 3, 2))), single};

    // Three weeks from Monday 1 March: the first and third Tuesday, not the second.
    const auto agenda = buildAgenda(appointments, dayOf(2027, 3, 1), 21);
    ASSERT_EQ(agenda.size(), 21u);
    EXPECT_EQ(shown(agenda)[1], (std::vector<std::string>{"Bank at 9:00"}));
    EXPECT_TRUE(shown(agenda)[8].empty());
    EXPECT_EQ(shown(agenda)[15], (std::vector<std::string>{"Bank at 9:00", "Lunch at 12:00"}));
    EXPECT_EQ(agenda[15].entries[0].repeats, "in words");
    EXPECT_TRUE(agenda[15].entries[1].repeats.empty());
    int listed = 0;
    for (const auto& day : agenda)
        listed += static_cast<int>(day.entries.size());
    EXPECT_EQ(listed, 3);

    // Nothing before the repeat begins, and a week is expanded on its own.
    EXPECT_EQ(shown(buildAgenda(appointments, dayOf(2027, 2, 15), 14)), Days(14));
    EXPECT_EQ(shown(buildAgenda(appointments, dayOf(2028, 1, 3), 7))[1],
              (std::vector<std::string>{"Bank at 9:00"}));
}

TEST(ExplorerRepeats, AWeekExpandedOnItsOwnHasTheDaysOfTheWholeExpansion) {
    // The views expand from the first day shown, not from the repeat's start: the interval
    // must still count from the start.
    std::vector<RecurrenceFields> patterns;
    RecurrenceFields p = everyOtherTuesday(dayOf(2027, 3, 2));
    patterns.push_back(p);
    p.recurrenceType = olRecursDaily;
    p.interval = 3;
    patterns.push_back(p);
    p.recurrenceType = olRecursMonthly;
    p.interval = 2;
    p.dayOfMonth = 2;
    patterns.push_back(p);
    p.recurrenceType = olRecursMonthNth;
    p.instance = 5;
    p.dayOfWeekMask = olFriday;
    patterns.push_back(p);
    // 29 February every other year, from a leap year (from an odd year it never comes).
    p.recurrenceType = olRecursYearly;
    p.interval = 2;
    p.dayOfMonth = 29;
    p.monthOfYear = 2;
    p.patternStartDate = dayOf(2028, 1, 10);
    patterns.push_back(p);
    for (const auto& pattern : patterns) {
        // 300 weeks from Monday 1 March 2027.
        const local_days first = dayOf(2027, 3, 1), last = first + weeks(300) - days(1);
        const auto whole = OccurrenceDays(pattern, pattern.patternStartDate, last);
        std::vector<local_days> weekByWeek;
        for (local_days week = first; week < last; week += days(7))
            for (const local_days day : OccurrenceDays(pattern, week, week + days(6)))
                weekByWeek.push_back(day);
        EXPECT_EQ(weekByWeek, whole) << pattern.recurrenceType << " every " << pattern.interval;
    }
}

TEST(ExplorerRepeats, AnOccurrenceFromTheDayBeforeReachesIntoTheFirstDayShown) {
    RecurrenceFields nightly;
    nightly.recurrenceType = olRecursDaily;
    nightly.patternStartDate = dayOf(2027, 3, 1);
    nightly.startTime = hours(23);
    nightly.duration = 120;
    const auto agenda = buildAgenda({repeating("Night shift", nightly)}, dayOf(2027, 3, 10), 1);
    ASSERT_EQ(agenda[0].entries.size(), 2u);
    EXPECT_TRUE(agenda[0].entries[0].fromEarlierDay);
    EXPECT_EQ(agenda[0].entries[0].end, dayOf(2027, 3, 10) + hours(1));
    EXPECT_TRUE(agenda[0].entries[1].intoLaterDay);

    // The occurrences are those of the repeat itself, month ends skipped alike.
    RecurrenceFields monthEnd;
    monthEnd.recurrenceType = olRecursMonthly;
    monthEnd.dayOfMonth = 31;
    monthEnd.patternStartDate = dayOf(2027, 1, 31);
    monthEnd.startTime = hours(8);
    std::vector<local_days> listedDays;
    for (const auto& day : buildAgenda({repeating("Report", monthEnd)}, dayOf(2027, 1, 1), 365))
        if (!day.entries.empty()) listedDays.push_back(day.day);
    EXPECT_EQ(listedDays, OccurrenceDays(monthEnd, dayOf(2027, 1, 1), dayOf(2027, 12, 31)));
    EXPECT_EQ(listedDays.size(), 7u);
}

using ExplorerRepeatsInTheStore = ExplorerModelFixture;

TEST_F(ExplorerRepeatsInTheStore, AWeeklyNineOClockStaysAtNineAcrossTheClockChange) {
    const ScopedTimeZone berlin("Europe/Berlin");
    auto standup = createItem(olAppointmentItem);
    standup->put("Subject", "Stand-up");
    RecurrenceFields weekly = everyOtherTuesday(dayOf(2027, 3, 16));
    weekly.interval = 1;
    fileRepeating(standup, weekly);

    ASSERT_TRUE(model().showFolder(FolderKind::Calendar)) << model().error();
    ASSERT_EQ(model().appointments().size(), 1u);
    // Clocks go forward on Sunday 28 March 2027.
    const auto agenda = buildAgenda(model().appointments(), dayOf(2027, 3, 15), 21);
    EXPECT_EQ(shown(agenda)[1], (std::vector<std::string>{"Stand-up at 9:00"}));
    EXPECT_EQ(shown(agenda)[8], (std::vector<std::string>{"Stand-up at 9:00"}));
    EXPECT_EQ(shown(agenda)[15], (std::vector<std::string>{"Stand-up at 9:00"}));
    EXPECT_EQ(agenda[15].entries[0].repeats, "every week on Tuesday");
}

TEST_F(ExplorerRepeatsInTheStore, DetailsSayTheRepeatInWords) {
    auto call = createItem(olAppointmentItem);
    call->put("Subject", "Call the bank");
    call->put("Location", "Phone");
    fileRepeating(call, everyOtherTuesday(dayOf(2027, 3, 2)));
    auto task = createItem(olTaskItem);
    task->put("Subject", "Water the plants");
    task->put("DueDate", ole(local_seconds(dayOf(2027, 3, 5))));
    task->call("GetRecurrencePattern");
    task->call("Save");
    auto single = createItem(olAppointmentItem);
    single->put("Subject", "Lunch");
    single->put("Start", ole(dayOf(2027, 3, 2) + hours(12)));
    single->call("Save");

    ASSERT_TRUE(model().open());
    const auto labels = [&](const DispatchPtr& item) {
        std::vector<std::string> out;
        const auto details = model().details(item->get("EntryID").asString());
        if (!details) return out;
        for (const auto& line : details->properties)
            out.push_back(line.label + ": " + line.value.text);
        return out;
    };
    const auto callLines = labels(call);
    ASSERT_GE(callLines.size(), 4u);
    EXPECT_EQ(callLines[2], "Repeats: every 2 weeks on Tuesday");
    EXPECT_EQ(callLines[3], "Location: Phone");
    const auto taskLines = labels(task);
    ASSERT_GE(taskLines.size(), 2u);
    EXPECT_EQ(taskLines[1], "Repeats: every week on Friday");
    for (const auto& line : labels(single))
        EXPECT_EQ(line.find("Repeats"), std::string::npos) << line;
}

}  // namespace
}  // namespace outlook::local::testing
