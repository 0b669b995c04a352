#include "shell/ui/desktop_calendar_choice.h"

#include "outlook/local/desktop/desktop_services.h"
#include "outlook/local/desktop/desktop_setting.h"

namespace shell::ui {

namespace desktop = outlook::local::desktop;

bool LocalDesktopCalendarSwitch::Offered() const {
    return desktop::desktopCalendarInstalled();
}

bool LocalDesktopCalendarSwitch::On() const {
    return desktop::readDesktopSetting(registry_).enabled;
}

bool LocalDesktopCalendarSwitch::Set(bool on, std::string& reason) {
    if (desktop::writeDesktopEnabled(registry_, on)) return true;
    reason = "The desktop calendar could not be switched " + std::string(on ? "on" : "off") +
             ": the settings file cannot be written.";
    return false;
}

}  // namespace shell::ui
