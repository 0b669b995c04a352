#include "shell/getting_started.h"

#include <string>
#include <utility>

#include "platform/autostart.h"
#include "shell/settings.h"
#include "shell/startup.h"

namespace shell {

TGettingStarted::TGettingStarted(Services services)
    : services_(std::move(services)), firstStart_(!services_.settings.HasProgramSettings()) {}

void TGettingStarted::ProgramStarted() {
    if (!firstStart_) return;
    firstStart_ = false;
    // Written first: should the program end while the window is open, the next start does
    // not welcome the user again.
    services_.settings.WriteWelcomeShown();
    Show();
}

void TGettingStarted::Show() {
    services_.view.setTrayWording(trayIcon_);
    services_.view.setAutostartChecked(platform::autostartIsOn(services_.autostartFolder));
    ShowDesktopCalendar();
    services_.view.showAndActivate();
}

void TGettingStarted::TrayIconShown(bool shown) {
    trayIcon_ = shown;
    services_.view.setTrayWording(shown);
}

void TGettingStarted::chkAutostartClick(bool on) {
    std::string error;
    if (!platform::setAutostart(on, services_.autostartFolder, services_.programFile, error))
        services_.boxes.show(kProgramTitle, error, platform::MessageIcon::Warning,
                             platform::MessageButtons::Ok);
    // The box shows what the desktop will do, whether or not the change could be made.
    services_.view.setAutostartChecked(platform::autostartIsOn(services_.autostartFolder));
}

void TGettingStarted::ShowDesktopCalendar() {
    DesktopCalendarSwitch* calendar = services_.desktopCalendar;
    const bool offered = calendar && calendar->Offered();
    services_.view.setDesktopCalendar(offered, offered && calendar->On());
}

void TGettingStarted::chkDesktopCalendarClick(bool on) {
    if (!services_.desktopCalendar) return;
    std::string error;
    if (!services_.desktopCalendar->Set(on, error))
        services_.boxes.show(kProgramTitle, error, platform::MessageIcon::Warning,
                             platform::MessageButtons::Ok);
    ShowDesktopCalendar();
}

}  // namespace shell
