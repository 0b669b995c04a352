#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <optional>

#include "shell/action_notifier.h"
#include "shell/desktop_notifier.h"

namespace shell::ui {

// Notifications through the desktop's notification server (org.freedesktop.Notifications) on
// the session bus. Without a session bus or a server, nothing shows and nothing waits longer
// than a second.
class DBusNotifier : public QObject, public DesktopNotifier, public ActionNotifier {
    Q_OBJECT

public:
    DBusNotifier();
    ~DBusNotifier() override;

    // DesktopNotifier
    void notify(const std::string& summary, const std::string& body) override;

    // ActionNotifier
    bool ShowsActions() override;
    unsigned Show(const ActionNotification& notification, Answered answered) override;
    void Close(unsigned id) override;

private slots:
    void actionInvoked(uint id, const QString& key);
    void notificationClosed(uint id, uint reason);

private:
    void listen();

    bool listening_ = false;
    // The server's answer to whether it shows actions, and how long ago it gave it.
    std::optional<bool> showsActions_;
    QElapsedTimer askedAt_;
    // The notifications shown with actions and still open, by the server's id.
    std::map<unsigned, Answered> open_;
};

}  // namespace shell::ui
