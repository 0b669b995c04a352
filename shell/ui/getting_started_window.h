#pragma once

#include <QDialog>
#include <filesystem>

#include "shell/getting_started.h"

class QCheckBox;
class QLabel;

namespace shell::ui {

// Getting Started: how to open a note, three example sentences, where the items go, how to
// bring in contacts, whether to start at login and to show the notes in the desktop's
// calendar. A window of its own beside the others,
// never modal, so that nothing waits for it to close.
class GettingStartedWindow : public QDialog, public GettingStartedView {
public:
    // Made as the program starts: its logic then tells whether the profile is new.
    // `desktopCalendar` may be null: the window then offers no desktop calendar.
    GettingStartedWindow(TRegistry& settings, platform::MessageBoxes& boxes,
                         std::filesystem::path autostartFolder, std::filesystem::path programFile,
                         DesktopCalendarSwitch* desktopCalendar = nullptr);
    ~GettingStartedWindow() override;

    TGettingStarted& logic() { return logic_; }

    // GettingStartedView
    void setAutostartChecked(bool on) override;
    void setDesktopCalendar(bool offered, bool checked) override;
    void setTrayWording(bool trayIcon) override;
    void showAndActivate() override;

private:
    TGettingStarted logic_;
    QCheckBox* chkAutostart_ = nullptr;
    QCheckBox* chkDesktopCalendar_ = nullptr;
    // The texts that speak of the tray icon or of what works without it.
    QLabel* lblOpenNote_ = nullptr;
    QLabel* lblWhereItems_ = nullptr;
    QLabel* lblContacts_ = nullptr;
    QLabel* lblAgain_ = nullptr;
};

}  // namespace shell::ui
