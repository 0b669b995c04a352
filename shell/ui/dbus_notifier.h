#pragma once

#include "shell/desktop_notifier.h"

namespace shell::ui {

// Notifications through the desktop's notification server (org.freedesktop.Notifications) on
// the session bus. Without a session bus or a server, nothing shows and nothing waits.
class DBusNotifier : public DesktopNotifier {
public:
    void notify(const std::string& summary, const std::string& body) override;
};

}  // namespace shell::ui
