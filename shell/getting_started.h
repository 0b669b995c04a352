#pragma once

#include <filesystem>

#include "platform/message_boxes.h"
#include "shell/desktop_calendar_switch.h"

namespace shell {

class TRegistry;

// The Getting Started window as its logic drives it.
class GettingStartedView {
public:
    virtual ~GettingStartedView() = default;
    virtual void setAutostartChecked(bool on) = 0;
    // The desktop calendar's check box: hidden where the desktop offers no calendar.
    virtual void setDesktopCalendar(bool offered, bool checked) = 0;
    // Whether the texts send the user to the tray icon and its menu, or (without the icon) to
    // `jotwise note` bound to a desktop shortcut and to a note's J menu.
    virtual void setTrayWording(bool trayIcon) = 0;
    // Shows the window, or brings it to the front when it is already shown. It stays beside
    // the program's other windows and holds nothing up.
    virtual void showAndActivate() = 0;
};

// What a newcomer needs to begin: shown by itself once, on the first start of a profile, and
// again whenever the user asks for it. Its check boxes start the program at login and show
// the user's notes in the desktop's own calendar.
class TGettingStarted {
public:
    struct Services {
        TRegistry& settings;
        GettingStartedView& view;
        platform::MessageBoxes& boxes;
        // Where the desktop finds the programs it starts at login, and this program's file.
        std::filesystem::path autostartFolder;
        std::filesystem::path programFile;
        // Null where the program offers no desktop calendar.
        DesktopCalendarSwitch* desktopCalendar = nullptr;
    };

    // Made as the program starts, before it keeps anything: a profile where the program has
    // no settings of its own yet is starting for the first time.
    explicit TGettingStarted(Services services);

    bool FirstStart() const { return firstStart_; }
    // The program is up: on a first start the window shows, and is remembered as shown.
    void ProgramStarted();
    void Show();
    // The check box "Start Jotwise when I log in".
    void chkAutostartClick(bool on);
    // The check box "Show my notes in the desktop calendar".
    void chkDesktopCalendarClick(bool on);
    // Whether the tray icon is shown: the program says so as it starts, before the window
    // first shows, and again when the icon comes. The window's texts follow at once, even
    // while it is open.
    void TrayIconShown(bool shown);

private:
    void ShowDesktopCalendar();

    Services services_;
    bool firstStart_ = false;
    bool trayIcon_ = true;
};

}  // namespace shell
