#include "shell/ui/dbus_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace shell::ui {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// A server that does not answer within this is taken as none: the program must not hang on
// a bus whose server is stuck or still starting.
constexpr int kAnswerWithinMs = 1000;
// Without a server that shows actions, the question is asked again after this long, as the
// desktop may start its server after the program (both start with the session).
constexpr qint64 kAskAgainAfterMs = 5 * 60 * 1000;

QDBusMessage notifyCall(const std::string& summary, const std::string& body,
                        const QStringList& actions, const QVariantMap& hints) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
    // Application name, id to replace (none), icon (the desktop entry's), summary, body,
    // actions, hints, expiry (the server's default).
    call << QStringLiteral("Jotwise") << 0u << QStringLiteral("jotwise")
         << QString::fromStdString(summary) << QString::fromStdString(body) << actions << hints
         << -1;
    return call;
}

}  // namespace

DBusNotifier::DBusNotifier() = default;

DBusNotifier::~DBusNotifier() = default;

void DBusNotifier::notify(const std::string& summary, const std::string& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    // Sent, not waited for: the program never waits on a server that is slow to start, and
    // the error that a bus without a server answers with is of no use to anyone.
    bus.send(notifyCall(summary, body, {}, {}));
}

bool DBusNotifier::ShowsActions() {
    if (showsActions_ && (*showsActions_ || askedAt_.elapsed() < kAskAgainAfterMs))
        return *showsActions_;
    askedAt_.start();
    showsActions_ = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QDBusMessage reply =
        bus.call(QDBusMessage::createMethodCall(kService, kPath, kInterface, "GetCapabilities"),
                 QDBus::Block, kAnswerWithinMs);
    if (reply.type() != QDBusMessage::ReplyMessage) return false;
    showsActions_ = reply.arguments().value(0).toStringList().contains("actions");
    return *showsActions_;
}

void DBusNotifier::listen() {
    if (listening_) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    listening_ = bus.connect(kService, kPath, kInterface, "ActionInvoked", this,
                             SLOT(actionInvoked(uint, QString))) &&
                 bus.connect(kService, kPath, kInterface, "NotificationClosed", this,
                             SLOT(notificationClosed(uint, uint)));
}

unsigned DBusNotifier::Show(const ActionNotification& notification, Answered answered) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return 0;
    // Listening before the notification shows: an answer cannot come before the listener.
    listen();
    QStringList actions;
    for (const ActionNotification::Action& action : notification.actions)
        actions << QString::fromStdString(action.key) << QString::fromStdString(action.label);
    QVariantMap hints{{"urgency", QVariant::fromValue(uchar(1))},
                      {"desktop-entry", QStringLiteral("jotwise")}};
    if (!notification.category.empty())
        hints.insert("category", QString::fromStdString(notification.category));
    if (notification.transient) hints.insert("transient", true);
    // Waited for, briefly, as only the reply gives the id the answers come with. Signals that
    // arrive meanwhile wait in the connection until the event loop runs again, so an answer
    // given at once still finds its notification.
    const QDBusMessage reply =
        bus.call(notifyCall(notification.summary, notification.body, actions, hints), QDBus::Block,
                 kAnswerWithinMs);
    if (reply.type() != QDBusMessage::ReplyMessage) return 0;
    const unsigned id = reply.arguments().value(0).toUInt();
    if (id != 0) open_[id] = std::move(answered);
    return id;
}

void DBusNotifier::Close(unsigned id) {
    if (!open_.erase(id)) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, "CloseNotification");
    call << id;
    bus.send(call);
}

void DBusNotifier::actionInvoked(uint id, const QString& key) {
    const auto found = open_.find(id);
    if (found == open_.end()) return;
    // Once per notification: a server that reports a second click (or a click and a close)
    // finds it answered already. The call may show or close other notifications.
    const Answered answered = std::move(found->second);
    open_.erase(found);
    if (answered) answered(key.toStdString());
}

void DBusNotifier::notificationClosed(uint id, uint) {
    open_.erase(id);
}

}  // namespace shell::ui
