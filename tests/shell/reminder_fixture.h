#pragma once

#include <chrono>
#include <string>

#include "outlook/ole_date.h"
#include "platform/clock.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/session_fixture.h"

namespace shell::testing {

using namespace std::chrono_literals;

inline constexpr std::chrono::local_days kToday{std::chrono::December / 8 / 2026};

// The wall clock moves with the test's event loop, from 8:00 today.
class LoopClock : public platform::WallClock {
public:
    explicit LoopClock(const jotwise::testing::ManualEventLoop& loop) : loop_(loop) {}
    std::chrono::local_seconds now() const override {
        return kToday + 8h + std::chrono::duration_cast<std::chrono::seconds>(loop_.now());
    }

private:
    const jotwise::testing::ManualEventLoop& loop_;
};

// The session over a real store in a temporary folder, with items that remind.
class ReminderStoreTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override { ASSERT_EQ(connect(), 0); }

    // A half-hour appointment that reminds 15 minutes before it starts.
    outlook::DispatchPtr appointment(const char* subject, std::chrono::local_seconds start,
                                     const char* location = "") {
        auto item = application()->call("CreateItem", {outlook::olAppointmentItem}).asObject();
        item->put("Subject", subject);
        item->put("Location", location);
        item->put("Start", outlook::OleDateFromLocal(start));
        item->put("Duration", 30);
        item->call("Save");
        return item;
    }
    outlook::DispatchPtr stored(const outlook::DispatchPtr& item) {
        return contactItem(item->get("EntryID").asString());
    }
    // Moves the clock (and the loop's timers) forward.
    void wait(std::chrono::milliseconds by) {
        loop.advance(by);
        settle();
    }

    LoopClock clock{loop};
};

}  // namespace shell::testing
