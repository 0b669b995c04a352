#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include "shell/hidden_view.h"

class QAction;
class QMenu;

namespace shell {
class THidden;
}

namespace shell::ui {

// The program's tray icon and its menu. Every menu item and every click on the icon goes to
// THidden, which joins once the session is connected; until then they do nothing.
class TrayWindow : public QObject, public HiddenView {
public:
    TrayWindow();
    ~TrayWindow() override;

    void setLogic(THidden* logic) { logic_ = logic; }
    QMenu& menu() { return *mnuTray_; }
    QSystemTrayIcon& icon() { return *icon_; }

    // HiddenView
    bool trayAvailable() const override;
    bool addTrayIcon(const std::string& tip) override;
    void removeTrayIcon() override;
    void popUpTrayMenu() override;
    void beep() override;
    void quit(int exitCode) override;

private:
    QAction* addItem(const char* name, const char* caption, void (THidden::*handler)());
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    template <class Call>
    void forward(Call&& call);

    THidden* logic_ = nullptr;
    QSystemTrayIcon* icon_ = nullptr;
    QMenu* mnuTray_ = nullptr;
};

}  // namespace shell::ui
