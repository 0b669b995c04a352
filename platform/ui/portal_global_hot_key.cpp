#include "platform/ui/portal_global_hot_key.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QList>
#include <cctype>

namespace platform {

// One shortcut as the portal passes it: its id and a dictionary of its properties.
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument << entry.id << entry.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.endStructure();
    return argument;
}

}  // namespace platform

Q_DECLARE_METATYPE(platform::PortalShortcutEntry)

namespace platform {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRegistry = QStringLiteral("org.freedesktop.host.portal.Registry");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

std::string withAlternative(const QString& reason) {
    return reason.toStdString() + " " + kDesktopShortcutInstead;
}

// An object path that the portal returned, sent as a string by some versions.
QString pathOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

}  // namespace

PortalGlobalHotKey::PortalGlobalHotKey(PortalShortcut shortcut, QDBusConnection bus)
    : shortcut_(std::move(shortcut)), bus_(std::move(bus)) {
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
}

PortalGlobalHotKey::~PortalGlobalHotKey() {
    end();
}

bool PortalGlobalHotKey::registerCtrlAlt(std::uint16_t id, char letter,
                                         std::function<void()> pressed, std::string& reason) {
    if (!bus_.isConnected()) {
        reason = withAlternative(
            QStringLiteral("There is no session bus to ask the desktop for a system-wide key."));
        return false;
    }
    // The portal may not run yet: the bus starts it on the first call.
    QDBusConnectionInterface* names = bus_.interface();
    if (!names->isServiceRegistered(kService).value() &&
        !names->activatableServiceNames().value().contains(kService)) {
        reason = withAlternative(
            QStringLiteral("This desktop offers programs no system-wide keys (it has no "
                           "desktop portal)."));
        return false;
    }
    end();
    id_ = id;
    pressed_ = std::move(pressed);
    trigger_ =
        QStringLiteral("CTRL+ALT+") +
        QChar::fromLatin1(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
    registerApplication();
    return true;
}

void PortalGlobalHotKey::unregister(std::uint16_t id) {
    if (id == id_ && step_ != Step::Idle) end();
}

// The portal knows a program outside a sandbox by the name it registers, which must be that
// of its desktop file; registering has to come before any other call to the portal. Older
// portals do not offer it and know the program by other means, so its answer, whatever it
// is, only lets the session follow.
void PortalGlobalHotKey::registerApplication() {
    step_ = Step::CreateSession;
    const QString appId = QGuiApplication::desktopFileName();
    if (applicationRegistered_ || appId.isEmpty()) {
        createSession();
        return;
    }
    applicationRegistered_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRegistry, "Register");
    call << appId << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, attempt = attempt_](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (attempt == attempt_) createSession();
            });
}

void PortalGlobalHotKey::createSession() {
    const QString token = newToken();
    const QVariantMap options{
        {"handle_token", token},
        {"session_handle_token", QStringLiteral("jotwise_session") + QString::number(++tokens_)}};
    request(Step::CreateSession, "CreateSession", {options}, token);
}

// A key the desktop already holds for the action (bound in an earlier run, or changed by the
// user since) is kept as it is; binding again would ask the user once more.
void PortalGlobalHotKey::listShortcuts() {
    const QString token = newToken();
    request(Step::ListShortcuts, "ListShortcuts",
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariantMap{{"handle_token", token}}},
            token);
}

void PortalGlobalHotKey::bindShortcuts() {
    const QString token = newToken();
    const QList<PortalShortcutEntry> shortcuts{
        {shortcut_.id, {{"description", shortcut_.description}, {"preferred_trigger", trigger_}}}};
    // No parent window: the program asks from its tray, not from a window of its own.
    request(Step::BindShortcuts, "BindShortcuts",
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts),
             QString(), QVariantMap{{"handle_token", token}}},
            token);
}

void PortalGlobalHotKey::request(Step step, const QString& method, QVariantList arguments,
                                 const QString& token) {
    // The request object's path is known before the call: the caller's unique name without
    // its colon and with '_' for '.', and the token.
    QString sender = bus_.baseService().mid(1);
    sender.replace('.', '_');
    step_ = step;
    const QString expected = kPath + "/request/" + sender + "/" + token;
    listenForResponse(expected);

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, attempt = attempt_, expected](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (attempt != attempt_) return;
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (reply.isError()) {
                    fail(QStringLiteral("The desktop's portal has no global shortcuts for "
                                        "programs (%1).")
                             .arg(reply.error().message()));
                    return;
                }
                // A portal that chose another path for the request answers there, unless
                // the answer has come already.
                const QString path = reply.value().path();
                if (requestPath_ == expected && path != expected) listenForResponse(path);
            });
}

void PortalGlobalHotKey::listenForResponse(const QString& path) {
    stopListening();
    requestPath_ = path;
    bus_.connect(kService, requestPath_, kRequest, "Response", this,
                 SLOT(onResponse(uint, QVariantMap, QDBusMessage)));
}

void PortalGlobalHotKey::stopListening() {
    if (requestPath_.isEmpty()) return;
    bus_.disconnect(kService, requestPath_, kRequest, "Response", this,
                    SLOT(onResponse(uint, QVariantMap, QDBusMessage)));
    requestPath_.clear();
}

void PortalGlobalHotKey::onResponse(uint code, const QVariantMap& results,
                                    const QDBusMessage& message) {
    if (message.path() != requestPath_) return;
    stopListening();
    if (code != 0) {
        fail(code == 1 ? QStringLiteral("The key was not confirmed in the desktop's dialog.")
                       : QStringLiteral("The desktop refused the key."));
        return;
    }
    switch (step_) {
        case Step::CreateSession:
            session_ = pathOf(results.value("session_handle"));
            if (session_.isEmpty()) {
                fail(QStringLiteral("The desktop's portal opened no shortcuts session."));
                return;
            }
            bus_.connect(kService, kPath, kShortcuts, "Activated", this,
                         SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
            listShortcuts();
            return;
        case Step::ListShortcuts:
            for (const PortalShortcutEntry& entry :
                 qdbus_cast<QList<PortalShortcutEntry>>(results.value("shortcuts")))
                if (entry.id == shortcut_.id) {
                    step_ = Step::Bound;
                    return;
                }
            bindShortcuts();
            return;
        case Step::BindShortcuts:
            step_ = Step::Bound;
            return;
        case Step::Idle:
        case Step::Bound:
            return;
    }
}

void PortalGlobalHotKey::onActivated(const QDBusObjectPath& session, const QString& shortcutId,
                                     qulonglong, const QVariantMap&) {
    if (step_ == Step::Idle || session.path() != session_ || shortcutId != shortcut_.id) return;
    // A copy: the press may end the registration, and with it the function.
    const std::function<void()> pressed = pressed_;
    if (pressed) pressed();
}

void PortalGlobalHotKey::fail(const QString& reason) {
    const std::uint16_t id = id_;
    end();
    refuse(id, withAlternative(reason));
}

void PortalGlobalHotKey::end() {
    ++attempt_;
    stopListening();
    if (!session_.isEmpty()) {
        bus_.disconnect(kService, kPath, kShortcuts, "Activated", this,
                        SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
        bus_.send(QDBusMessage::createMethodCall(kService, session_, kSession, "Close"));
        session_.clear();
    }
    step_ = Step::Idle;
    id_ = 0;
    pressed_ = nullptr;
}

QString PortalGlobalHotKey::newToken() {
    return QStringLiteral("jotwise") + QString::number(++tokens_);
}

}  // namespace platform
