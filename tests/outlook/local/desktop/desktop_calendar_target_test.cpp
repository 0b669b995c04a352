// The desktop calendar target against a calendar of the test's own: which list each item goes
// to, catching up, an unreachable calendar, and a program that ends while it hangs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

#include "outlook/local/desktop/desktop_calendar_attach.h"
#include "outlook/local/desktop/desktop_module.h"
#include "outlook/local/desktop/desktop_setting.h"
#include "outlook/local/mirror/mirror_setting.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"

namespace outlook::local::testing {
namespace {

using desktop::DesktopCalendar;
using desktop::DesktopComponent;
using desktop::DesktopList;
using desktop::DesktopResult;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// What the desktop's calendar holds, shared by the calendars the target makes.
struct FakeDesk {
    struct Entry {
        std::string text;
        std::string stamp;
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::map<DesktopList, std::map<std::string, Entry>> lists;
    bool available = true;
    bool hang = false;  // put() waits until cancelled
    bool cancelled = false;
    int puts = 0;

    std::map<std::string, Entry> in(DesktopList list) {
        std::lock_guard lock(mutex);
        return lists[list];
    }
    int putCount() {
        std::lock_guard lock(mutex);
        return puts;
    }
    void setAvailable(bool value) {
        std::lock_guard lock(mutex);
        available = value;
    }
};

class FakeCalendar : public DesktopCalendar {
public:
    explicit FakeCalendar(std::shared_ptr<FakeDesk> desk) : desk_(std::move(desk)) {}

    DesktopResult put(DesktopList list, const std::string& calendar, const std::string& stamp,
                      std::string& error) noexcept override {
        std::unique_lock lock(desk_->mutex);
        if (desk_->hang) desk_->changed.wait(lock, [&] { return desk_->cancelled; });
        if (!reachable(error)) return DesktopResult::Unavailable;
        const auto uid = lineOf(calendar, "UID");
        desk_->lists[list][uid.substr(4)] = {calendar, stamp};
        ++desk_->puts;
        return DesktopResult::Done;
    }
    DesktopResult remove(DesktopList list, const std::string& uid,
                         std::string& error) noexcept override {
        std::lock_guard lock(desk_->mutex);
        if (!reachable(error)) return DesktopResult::Unavailable;
        desk_->lists[list].erase(uid);
        return DesktopResult::Done;
    }
    DesktopResult list(DesktopList list, std::vector<DesktopComponent>& components,
                       std::string& error) noexcept override {
        std::lock_guard lock(desk_->mutex);
        if (!reachable(error)) return DesktopResult::Unavailable;
        components.clear();
        for (const auto& [uid, entry] : desk_->lists[list])
            components.push_back({uid, entry.stamp});
        return DesktopResult::Done;
    }
    DesktopResult sourceName(DesktopList, std::string& name, std::string&) noexcept override {
        name = "Personal";
        return DesktopResult::Done;
    }
    void cancel() noexcept override {
        std::lock_guard lock(desk_->mutex);
        desk_->cancelled = true;
        desk_->changed.notify_all();
    }

private:
    bool reachable(std::string& error) const {
        if (desk_->available && !desk_->cancelled) return true;
        error = "no session bus";
        return false;
    }
    std::shared_ptr<FakeDesk> desk_;
};

class DesktopCalendarTest : public MirrorFixture {
protected:
    void TearDown() override {
        if (target_) target_->detach();
        MirrorFixture::TearDown();
    }

    desktop::DesktopCalendarTarget& start(desktop::DesktopCalendarTarget::Options options = {}) {
        options.connect = [desk = desk](const desktop::DesktopSources&, std::string&) {
            return std::make_unique<FakeCalendar>(desk);
        };
        options.report = [this](const std::string& message) {
            std::lock_guard lock(reportsMutex);
            reports.push_back(message);
        };
        target_ = desktop::attachDesktopCalendar(store(), std::move(options));
        return *target_;
    }
    void flushTarget() { target_->flush(); }

    DispatchPtr saved(std::int32_t type, const char* subject) {
        auto item = createItem(type);
        item->put(type == olNoteItem ? "Body" : "Subject", subject);
        item->call("Save");
        return item;
    }

    std::shared_ptr<FakeDesk> desk = std::make_shared<FakeDesk>();
    std::shared_ptr<desktop::DesktopCalendarTarget> target_;
};

TEST_F(DesktopCalendarTest, EachKindGoesToItsListAsTheMirrorWritesItAndEditsAndDeletesFollow) {
    start();
    auto lunch = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    auto task = saved(olTaskItem, "Call Ann");
    auto note = saved(olNoteItem, "Gate code 4711");
    auto journal = saved(olJournalItem, "Met Bob");
    saved(olMailItem, "A draft");
    saveContact("Ann", "Lee", "ann@example.com");
    flushTarget();

    const auto calendar = desk->in(DesktopList::Calendar);
    ASSERT_THAT(calendar, SizeIs(1));
    // The same component as the vdir mirror's, under the same UID.
    EXPECT_EQ(calendar.at(uidOf(lunch)).text, this->calendar(lunch));
    EXPECT_THAT(desk->in(DesktopList::Tasks), SizeIs(1));
    EXPECT_TRUE(desk->in(DesktopList::Tasks).count(uidOf(task)));
    const auto memos = desk->in(DesktopList::Memos);
    EXPECT_THAT(memos, SizeIs(2));
    EXPECT_TRUE(memos.count(uidOf(note)) && memos.count(uidOf(journal)));

    lunch->put("Subject", "Lunch with Ann");
    lunch->call("Save");
    flushTarget();
    const auto edited = desk->in(DesktopList::Calendar).at(uidOf(lunch));
    EXPECT_EQ(lineOf(edited.text, "SUMMARY"), "SUMMARY:Lunch with Ann");
    EXPECT_NE(edited.stamp, calendar.at(uidOf(lunch)).stamp);

    // Deleted Items is not written; deleting for good removes as well.
    lunch->call("Delete", {});
    const auto ref = store().parse(*mapi::FBinFromHex(task->get("EntryID").asString()));
    store().deleteItem(ref->row);
    flushTarget();
    EXPECT_THAT(desk->in(DesktopList::Calendar), IsEmpty());
    EXPECT_THAT(desk->in(DesktopList::Tasks), IsEmpty());
    EXPECT_THAT(desk->in(DesktopList::Memos), SizeIs(2));
    EXPECT_THAT(reportsSoFar(), IsEmpty());
}

TEST_F(DesktopCalendarTest, StartingCatchesUpAndLeavesOtherComponentsAlone) {
    auto kept = appointment("Kept", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    auto changed = appointment("Changed", localDate(2026, 7, 19, 9), localDate(2026, 7, 19, 10));
    auto gone = appointment("Gone", localDate(2026, 7, 20, 9), localDate(2026, 7, 20, 10));
    start();
    flushTarget();
    target_->detach();
    ASSERT_THAT(desk->in(DesktopList::Calendar), SizeIs(3));

    // While nothing writes: one item changes, one goes, and another program has components of
    // its own, one with a UID of our form from another store.
    changed->put("Subject", "Changed again");
    changed->call("Save");
    const auto ref = store().parse(*mapi::FBinFromHex(gone->get("EntryID").asString()));
    store().deleteItem(ref->row);
    desk->lists[DesktopList::Calendar]["birthday@example.org"] = {"", "1"};
    desk->lists[DesktopList::Calendar]["00000000-jotwise"] = {"", "1"};
    const int putsBefore = desk->putCount();

    start();
    flushTarget();
    const auto calendar = desk->in(DesktopList::Calendar);
    EXPECT_THAT(calendar, SizeIs(4));
    EXPECT_TRUE(calendar.count(uidOf(kept)));
    EXPECT_FALSE(calendar.count(uidOf(gone)));
    EXPECT_TRUE(calendar.count("birthday@example.org"));
    EXPECT_TRUE(calendar.count("00000000-jotwise"));
    EXPECT_EQ(lineOf(calendar.at(uidOf(changed)).text, "SUMMARY"), "SUMMARY:Changed again");
    // Only what differs is written again.
    EXPECT_EQ(desk->putCount(), putsBefore + 1);
}

TEST_F(DesktopCalendarTest, AnUnreachableCalendarIsReportedOnceAndCaughtUpWhenItAnswers) {
    desk->setAvailable(false);
    start();
    saved(olTaskItem, "First");
    flushTarget();
    saved(olTaskItem, "Second");
    flushTarget();
    ASSERT_THAT(reportsSoFar(), SizeIs(1));
    EXPECT_THAT(reportsSoFar()[0], HasSubstr("cannot be reached: no session bus"));

    desk->setAvailable(true);
    saved(olTaskItem, "Third");
    flushTarget();
    EXPECT_THAT(desk->in(DesktopList::Tasks), SizeIs(3));
    EXPECT_THAT(reportsSoFar(), SizeIs(1));

    // Trouble after writing worked is reported again.
    desk->setAvailable(false);
    saved(olTaskItem, "Fourth");
    flushTarget();
    EXPECT_THAT(reportsSoFar(), SizeIs(2));
}

TEST_F(DesktopCalendarTest, AProgramThatEndsWaitsOnlySoLongForACalendarThatHangs) {
    desk->hang = true;
    desktop::DesktopCalendarTarget::Options options;
    options.finishTimeout = std::chrono::milliseconds(50);
    start(options);
    // The save itself never waits.
    saved(olTaskItem, "Filed");
    EXPECT_EQ(countIn(olFolderTasks), 1);
    target_->detach();
    std::lock_guard lock(desk->mutex);
    EXPECT_TRUE(desk->cancelled);
}

TEST_F(DesktopCalendarTest, TheSwitchStartsAndStopsItBesideTheMirror) {
    // The build's module would reach whatever session bus the test runs on.
    desktop::setDesktopModulePath("/nonexistent/libjotwise-desktop.so");
    startMirror();
    EXPECT_EQ(desktop::followDesktopCalendarSetting(store(), registry), nullptr);

    ASSERT_TRUE(desktop::writeDesktopEnabled(registry, true));
    const auto target = desktop::followDesktopCalendarSetting(store(), registry);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(desktop::followDesktopCalendarSetting(store(), registry), target);
    EXPECT_EQ(mirror::attachedMirror(store()).get(), &activeMirror());

    auto key = registry.createKey(platform::RegistryRoot::CurrentUser, desktop::kDesktopKey);
    key->setValue("Tasks", platform::RegistryValue::ofString("work-tasks"));
    const auto moved = desktop::followDesktopCalendarSetting(store(), registry);
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(moved, target);
    EXPECT_EQ(moved->sources().taskList, "work-tasks");

    ASSERT_TRUE(desktop::writeDesktopEnabled(registry, false));
    EXPECT_EQ(desktop::followDesktopCalendarSetting(store(), registry), nullptr);
    EXPECT_EQ(desktop::attachedDesktopCalendar(store()), nullptr);
    // The mirror goes on in its own slot, and still writes.
    EXPECT_EQ(mirror::attachedMirror(store()).get(), &activeMirror());
    appointment("After", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    flush();
    EXPECT_THAT(files(), SizeIs(1));
    desktop::setDesktopModulePath({});
}

}  // namespace
}  // namespace outlook::local::testing
