#pragma once

#include <array>
#include <cstdint>

#include "outlook/local/form_time.h"
#include "outlook/local/item_editor.h"

namespace outlook::local {

// The reminder lead times the form offers, in minutes: none before, 5, 10, 15, 30 minutes,
// 1 and 2 hours, a day.
inline constexpr std::array<std::int32_t, 8> kReminderChoices = {0, 5, 10, 15, 30, 60, 120, 1440};

// The fields of an appointment or meeting: subject, location, start and end, all day, the
// reminder, how the time shows, and its repeat, which can be removed but not changed here.
class AppointmentEditor : public ItemEditor {
public:
    AppointmentEditor(DispatchPtr item, DispatchPtr nameSpace);

    std::string kindName() const override;
    std::int32_t createType() const override;
    std::string title() const override { return subject; }

    // A repeating item's repeat in words ("every 2 weeks on Tuesday"); "" for none, and ""
    // once removeRepeat() was called.
    const std::string& repeat() const { return repeat_; }
    // Makes the item a single one when it is saved.
    void removeRepeat();
    // Once a new start is settled (a day picked, a time typed and left), the end moves by
    // as much, so that the appointment keeps its length, as in calendar programs. True when
    // the end moved; an end or start that cannot be read leaves the end as typed.
    bool startSettled();

    std::string subject;
    std::string location;
    DayAndTime start;
    DayAndTime end;
    bool allDay = false;
    bool reminder = false;
    std::int32_t reminderMinutes = 15;
    std::int32_t busyStatus = 2;  // olBusy

protected:
    void readFields(Dispatch& item) override;
    std::variant<Values, Problem> kindValues() const override;
    void beforeWrite(Dispatch& item) override;
    bool kindModified() const override { return removeRepeat_; }
    void saved() override { removeRepeat_ = false; }

private:
    bool meeting_ = false;
    DayAndTime settledStart_;
    std::string repeat_;
    bool removeRepeat_ = false;
};

}  // namespace outlook::local
