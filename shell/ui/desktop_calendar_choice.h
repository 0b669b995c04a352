#pragma once

#include "platform/registry.h"
#include "shell/desktop_calendar_switch.h"

namespace shell::ui {

// The desktop calendar's switch as the local store keeps it in the profile's settings.
class LocalDesktopCalendarSwitch : public DesktopCalendarSwitch {
public:
    explicit LocalDesktopCalendarSwitch(platform::Registry& registry) : registry_(registry) {}

    bool Offered() const override;
    bool On() const override;
    bool Set(bool on, std::string& reason) override;

private:
    platform::Registry& registry_;
};

}  // namespace shell::ui
