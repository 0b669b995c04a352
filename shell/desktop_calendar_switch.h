#pragma once

#include <string>

namespace shell {

// The switch that shows the user's notes in the desktop's own calendar and brings the
// desktop's contacts in.
class DesktopCalendarSwitch {
public:
    virtual ~DesktopCalendarSwitch() = default;
    // Whether the desktop has a calendar service to offer; without one the switch is off.
    virtual bool Offered() const = 0;
    virtual bool On() const = 0;
    // False with the reason when the setting could not be changed.
    virtual bool Set(bool on, std::string& reason) = 0;
};

}  // namespace shell
