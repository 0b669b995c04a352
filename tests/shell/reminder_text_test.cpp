#include "shell/reminder_text.h"

#include <gtest/gtest.h>

namespace shell {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr local_days kToday{2026y / December / 8};
const local_seconds kNow = kToday + 8h;
const platform::ShortDateFormat kDayMonthYear{platform::DateOrder::DayMonthYear, "."};

Reminder appointmentAt(local_seconds start, minutes length, const char* location = "") {
    Reminder reminder;
    reminder.item.subject = "Dentist";
    reminder.item.location = location;
    reminder.item.start = start;
    reminder.item.end = start + length;
    reminder.occurs = start;
    reminder.due = start - 15min;
    return reminder;
}

TEST(ReminderText, AnAppointmentSaysItsDayItsTimesAndWhere) {
    EXPECT_EQ(ReminderBody(appointmentAt(kToday + 15h, 1h, "Room 4"), kNow, kDayMonthYear),
              "Today 3:00pm-4:00pm, Room 4");
    EXPECT_EQ(ReminderBody(appointmentAt(kToday + days{1} + 9h, 30min), kNow, kDayMonthYear),
              "Tomorrow 9:00am-9:30am");
    EXPECT_EQ(ReminderBody(appointmentAt(kToday + days{16} + 10h, 0min), kNow, kDayMonthYear),
              "24.12.2026 10:00am")
        << "no end when it has no length";
    EXPECT_EQ(ReminderWhen(appointmentAt(kToday + 23h, 2h), kNow, kDayMonthYear),
              "Today 11:00pm - tomorrow 1:00am");
    EXPECT_EQ(ReminderWhen(appointmentAt(kToday + 23h, 1h), kNow, kDayMonthYear),
              "Today 11:00pm-12:00am");
}

TEST(ReminderText, AnOccurrenceOfARepeatSaysItsOwnDayAndTimes) {
    Reminder reminder = appointmentAt(kToday - days{7} + 9h, 30min);
    reminder.occurs = kToday + days{1} + 9h;
    EXPECT_EQ(ReminderWhen(reminder, kNow, kDayMonthYear), "Tomorrow 9:00am-9:30am");
}

TEST(ReminderText, ATaskSaysWhenItIsDue) {
    Reminder task;
    task.item.task = true;
    task.item.start = kToday;
    task.occurs = kToday;
    EXPECT_EQ(ReminderWhen(task, kNow, kDayMonthYear), "Due today");
    task.occurs = task.item.start = kToday + days{3};
    EXPECT_EQ(ReminderBody(task, kNow, kDayMonthYear), "Due 11.12.2026");
    task.occurs = task.item.start = std::nullopt;
    task.item.location = "Office";
    EXPECT_EQ(ReminderBody(task, kNow, kDayMonthYear), "Office") << "no due date, no when";
}

}  // namespace
}  // namespace shell
