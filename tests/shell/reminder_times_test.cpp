#include "shell/reminder_times.h"

#include <gtest/gtest.h>

namespace shell {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr local_days kMonday{2026y / December / 7};

local_seconds at(local_days day, minutes time) {
    return day + time;
}

ReminderItem appointment(local_seconds start, std::int32_t lead = 15) {
    ReminderItem item;
    item.entryId = "A1";
    item.subject = "Dentist";
    item.start = start;
    item.minutesBefore = lead;
    return item;
}

// Every Monday at 9:00 for an hour, from 7 December 2026.
ReminderItem weeklyStandUp(std::int32_t occurrences = 0) {
    ReminderItem item = appointment(at(kMonday, 9h));
    outlook::RecurrenceFields repeat;
    repeat.recurrenceType = outlook::olRecursWeekly;
    repeat.dayOfWeekMask = outlook::olMonday;
    repeat.patternStartDate = kMonday;
    repeat.noEndDate = occurrences == 0;
    repeat.occurrences = occurrences;
    repeat.startTime = 9h;
    repeat.endTime = 10h;
    repeat.duration = 60;
    item.repeat = repeat;
    return item;
}

TEST(ReminderTimes, AnAppointmentRingsItsLeadBeforeItsStartOrAtALaterSnooze) {
    const auto now = at(kMonday, 8h);
    auto item = appointment(at(kMonday, 10h));
    EXPECT_EQ(NextReminder(item, now)->due, at(kMonday, 9h + 45min));
    EXPECT_EQ(NextReminder(item, now)->occurs, at(kMonday, 10h));
    item.minutesBefore = 0;
    EXPECT_EQ(NextReminder(item, now)->due, at(kMonday, 10h));

    item.reminderTime = at(kMonday, 10h + 5min);
    EXPECT_EQ(NextReminder(item, now)->due, at(kMonday, 10h + 5min)) << "snoozed";
    // A snooze from before the appointment was moved later no longer counts.
    item.start = at(kMonday, 15h);
    EXPECT_EQ(NextReminder(item, now)->due, at(kMonday, 15h));

    // A past appointment's reminder is due at once; one without a start has none.
    EXPECT_LT(NextReminder(appointment(at(kMonday - days{3}, 9h)), now)->due, now);
    item.start.reset();
    item.reminderTime.reset();
    EXPECT_FALSE(NextReminder(item, now));
}

TEST(ReminderTimes, ATaskRingsAtItsOwnTimeElseOnTheMorningItIsDue) {
    ReminderItem task;
    task.task = true;
    const auto now = at(kMonday, 7h);
    EXPECT_FALSE(NextReminder(task, now)) << "neither a time nor a due date";
    task.start = kMonday + days{2};
    EXPECT_EQ(NextReminder(task, now)->due, at(kMonday + days{2}, 8h));
    task.reminderTime = at(kMonday, 16h + 30min);
    EXPECT_EQ(NextReminder(task, now)->due, at(kMonday, 16h + 30min));
    EXPECT_FALSE(ReminderAfter(task, *task.start)) << "a dismissed task has no next reminder";
}

TEST(ReminderTimes, ARepeatingAppointmentRemindsOfItsNextOccurrence) {
    const auto item = weeklyStandUp();
    // Before Monday's meeting: Monday's; once it has begun, the next Monday's.
    auto reminder = NextReminder(item, at(kMonday, 8h));
    EXPECT_EQ(reminder->due, at(kMonday, 8h + 45min));
    EXPECT_EQ(reminder->occurs, at(kMonday, 9h));
    reminder = NextReminder(item, at(kMonday, 9h + 1min));
    EXPECT_EQ(reminder->occurs, at(kMonday + weeks{1}, 9h));
    EXPECT_EQ(reminder->due, at(kMonday + weeks{1}, 8h + 45min));

    // Dismissed on Monday, it moves on to the next Monday's reminder.
    EXPECT_EQ(ReminderAfter(item, at(kMonday, 9h)), at(kMonday + weeks{1}, 8h + 45min));
    auto dismissed = item;
    dismissed.reminderTime = ReminderAfter(item, at(kMonday, 9h));
    reminder = NextReminder(dismissed, at(kMonday, 8h + 50min));
    EXPECT_EQ(reminder->occurs, at(kMonday + weeks{1}, 9h));
    EXPECT_EQ(reminder->due, at(kMonday + weeks{1}, 8h + 45min));

    // A repeat that ends has nothing left after its last occurrence.
    const auto twice = weeklyStandUp(2);
    EXPECT_FALSE(ReminderAfter(twice, at(kMonday + weeks{1}, 9h)));
    EXPECT_FALSE(NextReminder(twice, at(kMonday + weeks{1}, 9h + 1min)));
}

TEST(ReminderTimes, ASnoozePastTheStartOfAnOccurrenceStaysWithIt) {
    auto item = weeklyStandUp();
    item.reminderTime = at(kMonday, 9h + 20min);  // snoozed at 8:50 for half an hour
    auto reminder = NextReminder(item, at(kMonday, 9h + 5min));
    EXPECT_EQ(reminder->due, at(kMonday, 9h + 20min));
    EXPECT_EQ(reminder->occurs, at(kMonday, 9h));
    // Once both the occurrence and the snooze are past, the next occurrence counts.
    reminder = NextReminder(item, at(kMonday, 9h + 21min));
    EXPECT_EQ(reminder->occurs, at(kMonday + weeks{1}, 9h));
    EXPECT_EQ(reminder->due, at(kMonday + weeks{1}, 8h + 45min));
}

}  // namespace
}  // namespace shell
