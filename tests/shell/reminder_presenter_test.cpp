#include "shell/reminder_presenter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outlook/recurrence/pattern_properties.h"
#include "tests/shell/reminder_fixture.h"

namespace shell {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using testing::kToday;

// A notification server that keeps what it was shown; the test answers for the user.
class FakeActionNotifier : public ActionNotifier {
public:
    struct Shown {
        unsigned id;
        ActionNotification notification;
        Answered answered;
        bool closed = false;
    };

    bool ShowsActions() override { return showsActions; }
    unsigned Show(const ActionNotification& notification, Answered answered) override {
        if (refuses) return 0;
        shown.push_back({nextId, notification, std::move(answered)});
        return nextId++;
    }
    void Close(unsigned id) override {
        for (Shown& one : shown)
            if (one.id == id) one.closed = true;
    }

    // The user's click on an action of the `index`th notification shown.
    void answer(std::size_t index, const std::string& key) {
        const Answered answered = shown.at(index).answered;
        answered(key);
    }

    bool showsActions = true;
    bool refuses = false;
    std::vector<Shown> shown;
    unsigned nextId = 1;
};

class FakeRemindersView : public RemindersView {
public:
    void showReminders(const std::vector<Row>& shown, bool raise) override {
        rows = shown;
        raises += raise;
        open = !shown.empty() && (open || raise);
    }
    std::vector<std::string> subjects() const {
        std::vector<std::string> found;
        for (const Row& row : rows)
            found.push_back(row.subject);
        return found;
    }

    std::vector<Row> rows;
    int raises = 0;
    bool open = false;
};

class ReminderPresenterTest : public testing::ReminderStoreTest {
protected:
    void start() {
        items_ = std::make_unique<TReminderItems>(*session);
        presenter_ = std::make_unique<TReminderPresenter>(
            notifier, *items_, clock,
            platform::ShortDateFormat{platform::DateOrder::MonthDayYear, "/"});
        presenter_->SetView(&view);
        schedule_ =
            std::make_unique<TReminderSchedule>(*items_, *presenter_, clock, loop, registry);
        presenter_->SetSchedule(schedule_.get());
        schedule_->Start();
    }
    TReminderPresenter& presenter() { return *presenter_; }
    void end() {
        schedule_.reset();
        presenter_.reset();
    }
    bool reminds(const outlook::DispatchPtr& item) {
        return stored(item)->get("ReminderSet").asBool();
    }
    std::string idOf(const outlook::DispatchPtr& item) { return item->get("EntryID").asString(); }

    FakeActionNotifier notifier;
    FakeRemindersView view;

private:
    std::unique_ptr<TReminderItems> items_;
    std::unique_ptr<TReminderPresenter> presenter_;
    std::unique_ptr<TReminderSchedule> schedule_;
};

TEST_F(ReminderPresenterTest, ANotificationOpensItsItemGoesWithItAndOutlivesNoProgram) {
    auto dentist = appointment("Dentist", kToday + 8h + 10min);
    auto lunch = appointment("Lunch", kToday + 8h + 12min);
    auto call = appointment("Call", kToday + 8h + 14min);
    start();
    ASSERT_EQ(notifier.shown.size(), 3u);
    EXPECT_FALSE(view.open) << "no window where notifications have buttons";

    // A click on the notification opens the item and leaves its reminder on.
    notifier.answer(2, ActionNotification::kDefaultAction);
    const auto& forms = outlook->windows().defaultItemForm().shown;
    ASSERT_EQ(forms.size(), 1u);
    EXPECT_EQ(forms[0].item->get("EntryID").asString(), idOf(call));
    EXPECT_TRUE(reminds(call));

    // Deleted (or its reminder turned off) elsewhere: its notification is taken away.
    stored(dentist)->call("Delete");
    wait(1s);
    EXPECT_TRUE(notifier.shown[0].closed);
    EXPECT_FALSE(notifier.shown[1].closed);

    // The program ends: its notifications go with it, and a late click reaches no one.
    end();
    EXPECT_TRUE(notifier.shown[1].closed);
    notifier.answer(1, "dismiss");
    EXPECT_TRUE(reminds(lunch));
}

TEST_F(ReminderPresenterTest, WithoutActionsTheWindowListsWhatIsDueUntilAnswered) {
    notifier.showsActions = false;
    auto dentist = appointment("Dentist", kToday + 8h + 10min, "Room 4");
    auto lunch = appointment("Lunch", kToday + 8h + 5min);
    start();
    EXPECT_TRUE(notifier.shown.empty());
    EXPECT_TRUE(view.open);
    EXPECT_EQ(view.raises, 1) << "both at once";
    ASSERT_THAT(view.subjects(), ElementsAre("Lunch", "Dentist")) << "earliest first";
    EXPECT_EQ(view.rows[1].when, "Today 8:10am-8:40am");
    EXPECT_EQ(view.rows[1].location, "Room 4");

    presenter().btnSnoozeClick(idOf(dentist), 10min);
    EXPECT_EQ(outlook::LocalFromOleDate(stored(dentist)->get("ReminderTime").asDate()),
              kToday + 8h + 10min);
    EXPECT_THAT(view.subjects(), ElementsAre("Lunch"));
    EXPECT_EQ(view.raises, 1);

    // Closed by the user, the window shows again with what still waits when the next rings.
    view.open = false;
    wait(10min);
    EXPECT_TRUE(view.open);
    EXPECT_THAT(view.subjects(), ElementsAre("Lunch", "Dentist"));

    presenter().btnDismissClick(idOf(lunch));
    EXPECT_FALSE(reminds(lunch));
    EXPECT_THAT(view.subjects(), ElementsAre("Dentist"));
    presenter().btnOpenClick(idOf(dentist));
    EXPECT_EQ(outlook->windows().defaultItemForm().shown.size(), 1u);

    // Its item deleted meanwhile, the last row goes and the window with it.
    stored(dentist)->call("Delete");
    wait(1s);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(view.open);
}

TEST_F(ReminderPresenterTest, AReminderTheServerDidNotTakeGoesToTheWindow) {
    notifier.refuses = true;
    appointment("Dentist", kToday + 8h + 10min);
    start();
    EXPECT_THAT(view.subjects(), ElementsAre("Dentist"));
    EXPECT_TRUE(view.open);
}

TEST_F(ReminderPresenterTest, ARepeatingReminderStaysInTheWindowAfterItsOccurrenceBegins) {
    notifier.showsActions = false;
    auto standUp = appointment("Standup", kToday + 8h + 10min);
    outlook::RecurrenceFields daily;
    daily.recurrenceType = outlook::olRecursDaily;
    daily.patternStartDate = kToday;
    daily.startTime = 8h + 10min;
    daily.endTime = 8h + 40min;
    daily.duration = 30;
    outlook::PutRecurrencePattern(*standUp->call("GetRecurrencePattern").asObject(), daily);
    standUp->call("Save");
    start();
    ASSERT_THAT(view.subjects(), ElementsAre("Standup"));

    // Once today's has begun, the schedule looks ahead to tomorrow's; today's stays listed.
    wait(30min);
    EXPECT_THAT(view.subjects(), ElementsAre("Standup"));
    presenter().btnDismissClick(idOf(standUp));
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(outlook::LocalFromOleDate(stored(standUp)->get("ReminderTime").asDate()),
              kToday + days{1} + 7h + 55min)
        << "dismissed today's, tomorrow's still reminds";
}

}  // namespace
}  // namespace shell
