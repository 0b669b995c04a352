#include "shell/ui/dbus_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace shell::ui {

void DBusNotifier::notify(const std::string& summary, const std::string& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                       "/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "Notify");
    // Application name, id to replace (none), icon (the desktop entry's), summary, body,
    // actions, hints, expiry (the server's default).
    call << QStringLiteral("Jotwise") << 0u << QStringLiteral("jotwise")
         << QString::fromStdString(summary) << QString::fromStdString(body) << QStringList()
         << QVariantMap() << -1;
    // Sent, not waited for: the program never waits on a server that is slow to start, and
    // the error that a bus without a server answers with is of no use to anyone.
    bus.send(call);
}

}  // namespace shell::ui
