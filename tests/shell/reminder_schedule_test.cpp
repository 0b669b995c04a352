#include "shell/reminder_schedule.h"

#include <gtest/gtest.h>

#include "outlook/ole_date.h"
#include "outlook/recurrence/pattern_properties.h"
#include "tests/support/memory_registry.h"
#include "tests/support/session_fixture.h"

namespace shell {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using outlook::DispatchPtr;
using outlook::Variant;

constexpr local_days kToday{2026y / December / 8};

// The wall clock moves with the test's event loop, from 8:00 today.
class LoopClock : public platform::WallClock {
public:
    explicit LoopClock(const jotwise::testing::ManualEventLoop& loop) : loop_(loop) {}
    local_seconds now() const override { return kToday + 8h + duration_cast<seconds>(loop_.now()); }

private:
    const jotwise::testing::ManualEventLoop& loop_;
};

class RecordingNotifier : public ReminderNotifier {
public:
    // The subjects of each call.
    std::vector<std::vector<std::string>> calls;
    std::vector<Reminder> last;
    void Remind(const std::vector<Reminder>& due) override {
        calls.emplace_back();
        for (const Reminder& reminder : due)
            calls.back().push_back(reminder.item.subject);
        last = due;
    }
};

class ReminderScheduleTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override { ASSERT_EQ(connect(), 0); }

    TReminderSchedule& schedule() {
        if (!schedule_) {
            items_ = std::make_unique<TReminderItems>(*session);
            schedule_ =
                std::make_unique<TReminderSchedule>(*items_, notifier, clock, loop, registry);
        }
        return *schedule_;
    }
    // Ends this run of the program; the next schedule() starts a new one.
    void restart() {
        schedule_.reset();
        items_.reset();
    }

    DispatchPtr appointment(const char* subject, local_seconds start,
                            outlook::AutomationServer* server = nullptr) {
        auto app = (server ? *server : outlook->automation()).createObject("Outlook.Application");
        auto item = app->call("CreateItem", {outlook::olAppointmentItem}).asObject();
        item->put("Subject", subject);
        item->put("Start", outlook::OleDateFromLocal(start));
        item->put("Duration", 30);
        item->call("Save");
        return item;
    }
    DispatchPtr stored(const DispatchPtr& item) {
        return contactItem(item->get("EntryID").asString());
    }
    local_seconds reminderTimeOf(const DispatchPtr& item) {
        return outlook::LocalFromOleDate(stored(item)->get("ReminderTime").asDate());
    }
    // Moves the clock (and the loop's timers) forward.
    void wait(milliseconds by) {
        loop.advance(by);
        settle();
    }

    LoopClock clock{loop};
    RecordingNotifier notifier;
    using Calls = std::vector<std::vector<std::string>>;

private:
    std::unique_ptr<TReminderItems> items_;
    std::unique_ptr<TReminderSchedule> schedule_;
};

TEST_F(ReminderScheduleTest, ARemindersRingsOnceAtItsTimeWithOneTimer) {
    appointment("Dentist", kToday + 10h);
    appointment("Lunch", kToday + 12h + 30min);
    EXPECT_TRUE(schedule().Start()) << "it follows the store's changes";
    EXPECT_TRUE(notifier.calls.empty());
    EXPECT_EQ(schedule().NextWakeUp(), kToday + 9h + 45min);

    // The timer sleeps at most a quarter of an hour at a time (the wall clock may jump), and
    // rings the dentist at 9:45, not before.
    wait(1h + 44min + 59s);
    EXPECT_TRUE(notifier.calls.empty());
    wait(1s);
    EXPECT_EQ(notifier.calls, (Calls{{"Dentist"}}));
    EXPECT_EQ(schedule().NextWakeUp(), kToday + 12h + 15min);
    wait(2h + 30min);
    EXPECT_EQ(notifier.calls, (Calls{{"Dentist"}, {"Lunch"}}));
    EXPECT_FALSE(schedule().NextWakeUp()) << "nothing left: it sleeps until the store changes";
}

TEST_F(ReminderScheduleTest, RemindersMissedWhileNotRunningRingTogetherOnceAtStart) {
    appointment("Standup", kToday + 7h);
    appointment("Breakfast", kToday + 7h + 30min);
    appointment("Dentist", kToday + 10h);
    auto task = application()->call("CreateItem", {outlook::olTaskItem}).asObject();
    task->put("Subject", "Call Bob");
    task->put("ReminderSet", true);
    task->put("ReminderTime", outlook::OleDateFromLocal(kToday + 6h));
    task->call("Save");

    schedule().Start();
    EXPECT_EQ(notifier.calls, (Calls{{"Call Bob", "Standup", "Breakfast"}}));
    // A change to the store reads it again without ringing them again.
    appointment("Later", kToday + 18h);
    wait(1s);
    EXPECT_EQ(notifier.calls.size(), 1u);

    // A change heard just before the program ends is dropped with it: the store delivers it,
    // the session's sink hears it, and the schedule's reading is still to run.
    appointment("Last", kToday + 19h);
    loop.runPending();
    loop.runPending();
    restart();
    settle();

    // Not dismissed, they ring again in the next run, once.
    restart();
    schedule().Start();
    EXPECT_EQ(notifier.calls.size(), 2u);
    EXPECT_EQ(notifier.calls.back(),
              (std::vector<std::string>{"Call Bob", "Standup", "Breakfast"}));
}

TEST_F(ReminderScheduleTest, ASnoozeIsKeptOnTheItemAndADismissTurnsTheReminderOff) {
    auto dentist = appointment("Dentist", kToday + 8h + 10min);
    schedule().Start();
    ASSERT_EQ(notifier.calls, (Calls{{"Dentist"}}));
    const Reminder rung = notifier.last.at(0);

    ASSERT_TRUE(schedule().Snooze(rung, 5min));
    EXPECT_EQ(reminderTimeOf(dentist), kToday + 8h + 5min);
    EXPECT_TRUE(stored(dentist)->get("ReminderSet").asBool());
    EXPECT_EQ(schedule().NextWakeUp(), kToday + 8h + 5min);
    // The snooze outlasts the program.
    restart();
    schedule().Start();
    EXPECT_EQ(notifier.calls.size(), 1u);
    wait(5min);
    EXPECT_EQ(notifier.calls, (Calls{{"Dentist"}, {"Dentist"}}));

    ASSERT_TRUE(schedule().Dismiss(notifier.last.at(0)));
    EXPECT_FALSE(stored(dentist)->get("ReminderSet").asBool());
    EXPECT_TRUE(schedule().Reminders().empty());
    restart();
    schedule().Start();
    EXPECT_EQ(notifier.calls.size(), 2u) << "dismissed for good";

    // An item deleted for good meanwhile cannot be snoozed.
    stored(dentist)->call("Delete");
    stored(dentist)->call("Delete");
    EXPECT_FALSE(schedule().Snooze(rung, 5min));
}

TEST_F(ReminderScheduleTest, ChangesToTheStoreMoveOrCancelReminders) {
    auto dentist = appointment("Dentist", kToday + 10h);
    auto lunch = appointment("Lunch", kToday + 12h);
    schedule().Start();

    // Moved later, deleted, turned off: each follows at once.
    dentist->put("Start", outlook::OleDateFromLocal(kToday + 11h));
    dentist->call("Save");
    wait(1s);
    EXPECT_EQ(schedule().NextWakeUp(), kToday + 10h + 45min);
    lunch->put("ReminderSet", false);
    lunch->call("Save");
    dentist->call("Delete");
    wait(1s);
    EXPECT_TRUE(schedule().Reminders().empty());
    wait(5h);
    EXPECT_TRUE(notifier.calls.empty());

    // An item added soon enough to be due rings straight away.
    appointment("Call", kToday + 13h + 10min);
    wait(1s);
    EXPECT_EQ(notifier.calls, (Calls{{"Call"}}));
}

TEST_F(ReminderScheduleTest, AnItemAddedByAnotherProcessRings) {
    schedule().Start();
    EXPECT_FALSE(schedule().NextWakeUp());

    // A second connection to the same file, with a loop of its own, stands in for
    // `jotwise add` running beside the program.
    jotwise::testing::ManualEventLoop otherLoop;
    jotwise::testing::MemoryRegistry otherRegistry;
    std::string error;
    auto other = outlook::local::LocalOutlook::open(database(), otherRegistry, otherLoop, &error);
    ASSERT_TRUE(other) << error;
    appointment("Dentist", kToday + 9h, &other->automation());

    wait(1s);
    EXPECT_EQ(schedule().NextWakeUp(), kToday + 8h + 45min);
    wait(45min);
    EXPECT_EQ(notifier.calls, (Calls{{"Dentist"}}));
}

TEST_F(ReminderScheduleTest, ARepeatingAppointmentRemindsOfEachOccurrenceAndDismissMovesOn) {
    auto standUp = appointment("Standup", kToday + 9h);
    outlook::RecurrenceFields daily;
    daily.recurrenceType = outlook::olRecursDaily;
    daily.patternStartDate = kToday;
    daily.startTime = 9h;
    daily.endTime = 9h + 30min;
    daily.duration = 30;
    outlook::PutRecurrencePattern(*standUp->call("GetRecurrencePattern").asObject(), daily);
    standUp->call("Save");

    schedule().Start();
    wait(45min);
    ASSERT_EQ(notifier.calls, (Calls{{"Standup"}}));
    // Left alone, it rings again for tomorrow's.
    EXPECT_EQ(schedule().NextWakeUp(), kToday + 9h + 1s);
    wait(24h);
    EXPECT_EQ(notifier.calls.size(), 2u);
    EXPECT_EQ(notifier.last.at(0).occurs, kToday + days{1} + 9h);

    // Dismissed, it stays on and moves on to the day after's.
    ASSERT_TRUE(schedule().Dismiss(notifier.last.at(0)));
    EXPECT_TRUE(stored(standUp)->get("ReminderSet").asBool());
    EXPECT_EQ(reminderTimeOf(standUp), kToday + days{2} + 8h + 45min);
    EXPECT_EQ(schedule().NextWakeUp(), kToday + days{2} + 8h + 45min);
}

TEST_F(ReminderScheduleTest, TheSettingTurnsRemindersOff) {
    appointment("Standup", kToday + 7h);
    registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Reminders")
        ->setValue("On", platform::RegistryValue::ofDword(0));
    schedule().Start();
    EXPECT_TRUE(notifier.calls.empty());
    EXPECT_FALSE(schedule().NextWakeUp());

    registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Reminders")
        ->setValue("On", platform::RegistryValue::ofDword(1));
    schedule().Refresh();
    EXPECT_EQ(notifier.calls, (Calls{{"Standup"}}));
}

}  // namespace
}  // namespace shell
