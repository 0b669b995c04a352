#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <functional>

#include "platform/global_hot_key.h"

class QDBusMessage;
class QDBusObjectPath;

namespace platform {

// The action the desktop is asked to bind a key to: the id it keeps the user's choice under
// from one run to the next, and the description its settings show.
struct PortalShortcut {
    QString id;
    QString description;
};

// System-wide keys on Wayland, through the desktop portal's global shortcuts (KDE Plasma 5.27
// and later, GNOME 48 and later). The program names itself to the portal by its desktop file
// name, opens a shortcuts session, and binds its one action with Ctrl+Alt+letter as the
// preferred key unless the desktop already has a key for it; the desktop may let the user
// choose another key, and whichever it binds opens the action. Every step answers on the
// event loop: registering is refused at once only where there is no portal at all, and a
// portal that refuses or fails later is reported through onRefused, once.
class PortalGlobalHotKey : public QObject, public GlobalHotKey {
    Q_OBJECT

public:
    explicit PortalGlobalHotKey(PortalShortcut shortcut,
                                QDBusConnection bus = QDBusConnection::sessionBus());
    ~PortalGlobalHotKey() override;
    PortalGlobalHotKey(const PortalGlobalHotKey&) = delete;
    PortalGlobalHotKey& operator=(const PortalGlobalHotKey&) = delete;

    // One key at a time: registering another id gives up the one before.
    bool registerCtrlAlt(std::uint16_t id, char letter, std::function<void()> pressed,
                         std::string& reason) override;
    void unregister(std::uint16_t id) override;

    // Whether the desktop holds a key for the action now (the user may have chosen another).
    bool bound() const { return step_ == Step::Bound; }

private slots:
    void onResponse(uint code, const QVariantMap& results, const QDBusMessage& message);
    void onActivated(const QDBusObjectPath& session, const QString& shortcutId,
                     qulonglong timestamp, const QVariantMap& options);

private:
    enum class Step { Idle, CreateSession, ListShortcuts, BindShortcuts, Bound };

    void registerApplication();
    void createSession();
    void listShortcuts();
    void bindShortcuts();
    // Calls a portal method whose answer comes as the Response signal of a request object
    // named by a fresh token, listening on that object before the call goes out.
    void request(Step step, const QString& method, QVariantList arguments, const QString& token);
    void listenForResponse(const QString& path);
    void stopListening();
    void fail(const QString& reason);
    void end();
    QString newToken();

    PortalShortcut shortcut_;
    QDBusConnection bus_;
    std::uint16_t id_ = 0;
    QString trigger_;
    std::function<void()> pressed_;
    Step step_ = Step::Idle;
    // Answers that arrive after the key was given up belong to an earlier attempt.
    unsigned attempt_ = 0;
    unsigned tokens_ = 0;
    bool applicationRegistered_ = false;
    QString requestPath_;
    QString session_;
};

}  // namespace platform
