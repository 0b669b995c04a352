#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>
#include <QVariantMap>
#include <vector>

namespace shell::ui::testing {

// Long enough for a slow machine to start Python; the tests wait, they do not time.
constexpr int kPatience = 60000;

// python3-dbusmock's notification server on the tests' own session bus, which keeps every
// call; gone with this object.
class MockNotificationServer {
public:
    static inline const QString kService = "org.freedesktop.Notifications";
    static inline const QString kPath = "/org/freedesktop/Notifications";

    // `capabilities`: what GetCapabilities answers, blank-separated.
    explicit MockNotificationServer(const QString& capabilities) {
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(JOTWISE_DBUSMOCK_PYTHON,
                       {"-m", "dbusmock", "--session", "--template", "notification_daemon",
                        "--parameters", QString(R"({"capabilities": "%1"})").arg(capabilities)});
        up_ = QTest::qWaitFor([] { return registered(); }, kPatience);
    }
    ~MockNotificationServer() {
        process_.terminate();
        process_.waitForFinished();
        static_cast<void>(QTest::qWaitFor([] { return !registered(); }, kPatience));
    }
    bool up() const { return up_; }

    struct Notify {
        QString app;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    // Every Notify call so far, oldest first.
    std::vector<Notify> notifies() const {
        std::vector<Notify> found;
        const QDBusMessage reply = mock("GetMethodCalls", {"Notify"});
        const auto calls = reply.arguments().value(0).value<QDBusArgument>();
        calls.beginArray();
        while (!calls.atEnd()) {
            quint64 time = 0;
            QVariantList arguments;
            calls.beginStructure();
            calls >> time >> arguments;
            calls.endStructure();
            found.push_back({arguments.value(0).toString(), arguments.value(2).toString(),
                             arguments.value(3).toString(), arguments.value(4).toString(),
                             arguments.value(5).toStringList(),
                             qdbus_cast<QVariantMap>(arguments.value(6))});
        }
        calls.endArray();
        return found;
    }
    // The server's ids go 1, 2, 3... in the order of the Notify calls.
    static uint idOf(std::size_t notifyIndex) { return uint(notifyIndex + 1); }

    // The user choosing `key` on notification `id`, as the server says it.
    void invoke(uint id, const QString& key) const {
        mock("EmitSignal", {kService, "ActionInvoked", "us", QVariantList{id, key}});
    }

private:
    static bool registered() {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value();
    }
    static QDBusMessage mock(const QString& method, const QVariantList& arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, "org.freedesktop.DBus.Mock", method);
        call.setArguments(arguments);
        return QDBusConnection::sessionBus().call(call);
    }

    QProcess process_;
    bool up_ = false;
};

}  // namespace shell::ui::testing
