// Reminders as desktop notifications with actions, through the program's D-Bus notifier, to
// python3-dbusmock's notification server on the tests' own session bus. The store and the
// schedule run on a hand-driven loop with its clock; D-Bus runs on Qt's event loop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "shell/reminder_presenter.h"
#include "shell/ui/dbus_notifier.h"
#include "tests/shell/reminder_fixture.h"
#include "tests/shell/ui/reminder_bus_fixture.h"

namespace shell::ui {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using shell::testing::kToday;
using ::testing::ElementsAre;
using testing::kPatience;
using testing::MockNotificationServer;

class ReminderNotificationsTest : public shell::testing::ReminderStoreTest {
protected:
    void start() {
        items_ = std::make_unique<TReminderItems>(*session);
        presenter_ = std::make_unique<TReminderPresenter>(notifier, *items_, clock,
                                                          platform::ShortDateFormat{});
        schedule_ =
            std::make_unique<TReminderSchedule>(*items_, *presenter_, clock, loop, registry);
        presenter_->SetSchedule(schedule_.get());
        schedule_->Start();
    }
    void TearDown() override {
        schedule_.reset();
        presenter_.reset();
    }
    // Waits for the server to have been told `count` notifications.
    bool notified(const MockNotificationServer& server, std::size_t count) {
        return QTest::qWaitFor([&] { return server.notifies().size() >= count; }, kPatience) &&
               server.notifies().size() == count;
    }
    // Waits for the answer to reach the program and change the item in the store.
    bool until(const std::function<bool()>& done) {
        return QTest::qWaitFor(
            [&] {
                settle();
                return done();
            },
            kPatience);
    }
    local_seconds reminderTimeOf(const outlook::DispatchPtr& item) {
        return outlook::LocalFromOleDate(stored(item)->get("ReminderTime").asDate());
    }

    DBusNotifier notifier;

private:
    std::unique_ptr<TReminderItems> items_;
    std::unique_ptr<TReminderPresenter> presenter_;
    std::unique_ptr<TReminderSchedule> schedule_;
};

TEST_F(ReminderNotificationsTest, RemindersRingAsNotificationsThatSnoozeAndDismiss) {
    MockNotificationServer server("actions body");
    ASSERT_TRUE(server.up());
    appointment("Standup", kToday + 7h);
    auto dentist = appointment("Dentist", kToday + 8h + 30min, "Room 4");

    // Missed while the program was not running: shown once, at the start.
    start();
    ASSERT_TRUE(notified(server, 1));
    auto notify = server.notifies()[0];
    EXPECT_EQ(notify.summary, "Standup");
    EXPECT_EQ(notify.body, "Today 7:00am-7:30am");
    EXPECT_EQ(notify.app, "Jotwise");
    EXPECT_EQ(notify.icon, "jotwise");

    wait(15min);
    ASSERT_TRUE(notified(server, 2));
    notify = server.notifies()[1];
    EXPECT_EQ(notify.summary, "Dentist");
    EXPECT_EQ(notify.body, "Today 8:30am-9:00am, Room 4");
    EXPECT_THAT(notify.actions,
                ElementsAre("snooze", "Snooze 5 min", "dismiss", "Dismiss", "default", "Open"));
    EXPECT_EQ(notify.hints.value("category").toString(), "x-jotwise.reminder");
    EXPECT_EQ(notify.hints.value("urgency").toInt(), 1);
    EXPECT_EQ(notify.hints.value("desktop-entry").toString(), "jotwise");
    EXPECT_FALSE(notify.hints.contains("transient"));

    server.invoke(MockNotificationServer::idOf(1), "snooze");
    ASSERT_TRUE(until([&] { return reminderTimeOf(dentist) == kToday + 8h + 20min; }));
    wait(4min);
    EXPECT_EQ(server.notifies().size(), 2u);
    wait(1min);
    ASSERT_TRUE(notified(server, 3)) << "rings again once the snooze is over";
    EXPECT_EQ(server.notifies()[2].summary, "Dentist");

    server.invoke(MockNotificationServer::idOf(2), "dismiss");
    ASSERT_TRUE(until([&] { return !stored(dentist)->get("ReminderSet").asBool(); }));

    // An answer repeated by the server, or for a notification answered already, does nothing.
    server.invoke(MockNotificationServer::idOf(1), "snooze");
    server.invoke(MockNotificationServer::idOf(2), "snooze");
    // The server's signals come before its answer to a later call.
    server.notifies();
    QCoreApplication::processEvents();
    wait(1h);
    EXPECT_FALSE(stored(dentist)->get("ReminderSet").asBool());
    EXPECT_EQ(server.notifies().size(), 3u) << "the one missed at start was shown once";
}

TEST_F(ReminderNotificationsTest, AServerWithoutActionsOrNoServerIsNotUsedForReminders) {
    {
        MockNotificationServer server("body");
        ASSERT_TRUE(server.up());
        EXPECT_FALSE(DBusNotifier().ShowsActions());
    }
    EXPECT_FALSE(DBusNotifier().ShowsActions());
    EXPECT_EQ(DBusNotifier().Show({"Dentist", "", "", {}, false}, nullptr), 0u);
}

}  // namespace
}  // namespace shell::ui
