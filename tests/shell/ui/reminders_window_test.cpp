// The reminders window where no notification server shows actions: on the tests' own session
// bus with no server on it, the program's D-Bus notifier finds none and the window lists the
// reminders; its buttons reach the schedule and the store.
#include "shell/ui/reminders_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "shell/ui/dbus_notifier.h"
#include "tests/shell/reminder_fixture.h"
#include "tests/support/pictures.h"
#include "tests/support/text_fits.h"

namespace shell::ui {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using shell::testing::kToday;
using ::testing::ElementsAre;

class RemindersWindowTest : public shell::testing::ReminderStoreTest {
protected:
    void start() {
        items_ = std::make_unique<TReminderItems>(*session);
        presenter_ = std::make_unique<TReminderPresenter>(notifier_, *items_, clock,
                                                          platform::ShortDateFormat{});
        window_ = std::make_unique<RemindersWindow>(*presenter_);
        schedule_ =
            std::make_unique<TReminderSchedule>(*items_, *presenter_, clock, loop, registry);
        presenter_->SetSchedule(schedule_.get());
        schedule_->Start();
    }
    void TearDown() override {
        schedule_.reset();
        window_.reset();
        presenter_.reset();
    }
    RemindersWindow& window() { return *window_; }
    QTreeWidget& list() { return *window_->findChild<QTreeWidget*>("lstReminders"); }
    QStringList subjects() {
        QStringList found;
        for (int row = 0; row < list().topLevelItemCount(); ++row)
            found << list().topLevelItem(row)->text(0);
        return found;
    }
    void pick(int row) { list().setCurrentItem(list().topLevelItem(row)); }
    void click(const char* button) {
        QTest::mouseClick(window_->findChild<QPushButton*>(button), Qt::LeftButton);
    }

private:
    DBusNotifier notifier_;
    std::unique_ptr<TReminderItems> items_;
    std::unique_ptr<TReminderPresenter> presenter_;
    std::unique_ptr<RemindersWindow> window_;
    std::unique_ptr<TReminderSchedule> schedule_;
};

TEST_F(RemindersWindowTest, ListsTheRemindersDueAndItsButtonsSnoozeAndDismiss) {
    auto dentist = appointment("Dentist", kToday + 8h + 10min, "Room 4");
    auto lunch = appointment("Lunch", kToday + 8h + 5min);
    start();
    ASSERT_TRUE(window().isVisible());
    ASSERT_EQ(subjects(), (QStringList{"Lunch", "Dentist"}));
    EXPECT_EQ(list().topLevelItem(1)->text(1), "Today 8:10am-8:40am");
    EXPECT_EQ(list().topLevelItem(1)->text(2), "Room 4");

    // Snoozed for ten minutes, picked from the list of times.
    pick(1);
    auto* times = window().findChild<QComboBox*>("cboSnooze");
    ASSERT_EQ(times->count(), 4);
    times->setCurrentIndex(1);
    click("btnSnooze");
    EXPECT_EQ(outlook::LocalFromOleDate(stored(dentist)->get("ReminderTime").asDate()),
              kToday + 8h + 10min);
    EXPECT_EQ(subjects(), (QStringList{"Lunch"}));

    pick(0);
    click("btnDismiss");
    EXPECT_FALSE(stored(lunch)->get("ReminderSet").asBool());
    EXPECT_FALSE(window().isVisible()) << "nothing left to answer";

    // Back when the snooze is over.
    wait(10min);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(subjects(), (QStringList{"Dentist"}));
    click("btnOpen");
    EXPECT_EQ(outlook->windows().defaultItemForm().shown.size(), 1u);
}

// Pictures of the window at the font sizes people use and on a dark desktop, to look at.
TEST_F(RemindersWindowTest, ItsTextsFitAtEveryFontSizeAndOnADarkDesktop) {
    appointment("Quarterly budget review with the finance team", kToday + 8h + 10min,
                "Room 4, second floor");
    appointment("Dentist", kToday + 7h);
    auto task = application()->call("CreateItem", {outlook::olTaskItem}).asObject();
    task->put("Subject", "Call Bob about the invoice");
    task->put("DueDate", outlook::OleDateFromLocal(kToday));
    task->put("ReminderSet", true);
    task->call("Save");
    for (const char* look : {"9pt", "11pt", "dark"}) {
        SCOPED_TRACE(look);
        std::optional<jotwise::testing::ApplicationFontSize> size;
        std::optional<jotwise::testing::DarkPalette> dark;
        if (look == std::string("dark"))
            dark.emplace();
        else
            size.emplace(std::stoi(look));
        start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        QCoreApplication::processEvents();
        EXPECT_EQ(jotwise::testing::clippedTexts(window()), std::vector<std::string>{});
        jotwise::testing::keepPicture(window(), std::string("reminders_") + look + ".png");
        TearDown();
        // Rung once per run: the next run rings them again.
    }
}

}  // namespace
}  // namespace shell::ui
