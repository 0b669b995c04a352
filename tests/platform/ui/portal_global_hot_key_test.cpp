// The Wayland hot key against a fake desktop portal (python3-dbusmock) on the tests' own
// session bus.
#include "platform/ui/portal_global_hot_key.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QTest>
#include <utility>
#include <vector>

// Failures show Qt's strings as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const QString kService = "org.freedesktop.portal.Desktop";
const QString kPath = "/org/freedesktop/portal/desktop";
const QString kMock = "org.freedesktop.DBus.Mock";
// Long enough for a slow machine to start Python; the tests wait, they do not time.
constexpr int kPatience = 60000;

QDBusConnection bus() {
    return QDBusConnection::sessionBus();
}

// The portal of `fake_portal.py`, started with the template's JSON parameters, and gone
// with this object.
class FakePortal {
public:
    explicit FakePortal(const QString& parameters = "{}") {
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(JOTWISE_DBUSMOCK_PYTHON, {"-m", "dbusmock", "--session", "--template",
                                                 JOTWISE_FAKE_PORTAL, "--parameters", parameters});
        up_ = QTest::qWaitFor(
            [] { return bus().interface()->isServiceRegistered(kService).value(); }, kPatience);
    }
    ~FakePortal() {
        process_.terminate();
        process_.waitForFinished();
        // The next portal takes the name over only once this one has let it go.
        static_cast<void>(QTest::qWaitFor(
            [] { return !bus().interface()->isServiceRegistered(kService).value(); }, kPatience));
    }
    bool up() const { return up_; }

    // The names of the portal's methods called so far, in order.
    QStringList calls() const {
        QStringList names;
        const QDBusMessage reply = mock(kPath, "GetCalls");
        const auto calls = reply.arguments().value(0).value<QDBusArgument>();
        calls.beginArray();
        while (!calls.atEnd()) {
            quint64 time = 0;
            QString name;
            QVariantList arguments;
            calls.beginStructure();
            calls >> time >> name >> arguments;
            calls.endStructure();
            names << name;
        }
        calls.endArray();
        return names;
    }

    // The arguments of each call of `method`, oldest first.
    std::vector<QVariantList> calls(const QString& method, const QString& path = kPath) const {
        std::vector<QVariantList> found;
        const QDBusMessage reply = mock(path, "GetMethodCalls", {method});
        const auto calls = reply.arguments().value(0).value<QDBusArgument>();
        calls.beginArray();
        while (!calls.atEnd()) {
            quint64 time = 0;
            QVariantList arguments;
            calls.beginStructure();
            calls >> time >> arguments;
            calls.endStructure();
            found.push_back(arguments);
        }
        calls.endArray();
        return found;
    }

    QStringList sessions() const {
        return mock(kPath, "Sessions").arguments().value(0).toStringList();
    }

    // The desktop saying that the user pressed the key of `shortcut` in `session`.
    void activate(const QString& session, const QString& shortcut) const {
        mock(kPath, "EmitSignal",
             {"org.freedesktop.portal.GlobalShortcuts", "Activated", "osta{sv}",
              QVariantList{QVariant::fromValue(QDBusObjectPath(session)), shortcut,
                           QVariant::fromValue(quint64(0)), QVariantMap()}});
    }

private:
    static QDBusMessage mock(const QString& path, const QString& method,
                             const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, path, kMock, method);
        call.setArguments(arguments);
        return bus().call(call);
    }

    QProcess process_;
    bool up_ = false;
};

// The shortcuts of a BindShortcuts call as "id|description|preferred trigger".
QStringList bindings(const QVariant& shortcuts) {
    QStringList found;
    const auto list = shortcuts.value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString id;
        QVariantMap properties;
        list.beginStructure();
        list >> id >> properties;
        list.endStructure();
        found << id + "|" + properties.value("description").toString() + "|" +
                     properties.value("preferred_trigger").toString();
    }
    list.endArray();
    return found;
}

// Counts the activations that reach this program, as the hot key hears them: once it has
// counted one, the hot key has heard it too.
class Activations : public QObject {
    Q_OBJECT

public:
    Activations() {
        bus().connect(kService, kPath, "org.freedesktop.portal.GlobalShortcuts", "Activated", this,
                      SLOT(count()));
    }
    // Every activation until the `n`th has been handled.
    bool awaitHandled(int n) {
        const bool heard = QTest::qWaitFor([&] { return counted >= n; }, kPatience);
        QCoreApplication::sendPostedEvents();
        return heard;
    }
    int counted = 0;

private slots:
    void count() { ++counted; }
};

struct Refusals {
    GlobalHotKey::Refused handler() {
        return
            [this](std::uint16_t id, const std::string& reason) { seen.emplace_back(id, reason); };
    }
    std::vector<std::pair<std::uint16_t, std::string>> seen;
};

const PortalShortcut kNewNote{"new-note", "New action note"};

TEST(PortalGlobalHotKey, BindsCtrlAltNAndOpensOnTheActivationOfItsShortcutAlone) {
    FakePortal portal;
    ASSERT_TRUE(portal.up());
    PortalGlobalHotKey hotKey(kNewNote);
    Refusals refusals;
    hotKey.onRefused(refusals.handler());
    int presses = 0;
    std::string reason;
    ASSERT_TRUE(hotKey.registerCtrlAlt(
        7, 'N', [&] { ++presses; }, reason))
        << reason;
    ASSERT_TRUE(QTest::qWaitFor([&] { return hotKey.bound(); }, kPatience));

    EXPECT_THAT(portal.calls(),
                ElementsAre("Register", "CreateSession", "ListShortcuts", "BindShortcuts"))
        << "the program names itself before its first portal call";
    EXPECT_EQ(portal.calls("Register").at(0).value(0).toString(), "jotwise")
        << "the desktop file's name";
    const QVariantList bind = portal.calls("BindShortcuts").at(0);
    EXPECT_THAT(bindings(bind.value(1)), ElementsAre("new-note|New action note|CTRL+ALT+n"));
    const QStringList sessions = portal.sessions();
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_EQ(bind.value(0).value<QDBusObjectPath>().path(), sessions.at(0));

    // Only its own shortcut in its own session opens a note.
    Activations activations;
    portal.activate(sessions.at(0), "other-action");
    portal.activate(kPath + "/session/another/program", "new-note");
    portal.activate(sessions.at(0), "new-note");
    portal.activate(sessions.at(0), "new-note");
    ASSERT_TRUE(activations.awaitHandled(4));
    EXPECT_EQ(presses, 2);
    EXPECT_THAT(refusals.seen, IsEmpty());

    // Giving the key up ends the session.
    hotKey.unregister(7);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !portal.calls("Close", sessions.at(0)).empty(); }, kPatience));
    EXPECT_FALSE(hotKey.bound());
}

TEST(PortalGlobalHotKey, AKeyTheDesktopHoldsAlreadyIsKeptAsTheUserLeftIt) {
    // An older portal, without the registry, that knows the action from an earlier run.
    FakePortal portal(R"({"registry": false, "bound": ["new-note"]})");
    ASSERT_TRUE(portal.up());
    PortalGlobalHotKey hotKey(kNewNote);
    int presses = 0;
    std::string reason;
    ASSERT_TRUE(hotKey.registerCtrlAlt(
        7, 'N', [&] { ++presses; }, reason));
    ASSERT_TRUE(QTest::qWaitFor([&] { return hotKey.bound(); }, kPatience));
    EXPECT_THAT(portal.calls(), ElementsAre("Register", "CreateSession", "ListShortcuts"));
    portal.activate(portal.sessions().value(0), "new-note");
    EXPECT_TRUE(QTest::qWaitFor([&] { return presses == 1; }, kPatience));
}

TEST(PortalGlobalHotKey, WithoutAPortalTheKeyIsRefusedWithTheDesktopShortcutInstead) {
    PortalGlobalHotKey hotKey(kNewNote);
    std::string reason;
    bool pressed = false;
    EXPECT_FALSE(hotKey.registerCtrlAlt(
        7, 'N', [&] { pressed = true; }, reason));
    EXPECT_THAT(reason, HasSubstr("\"jotwise note\""));
    hotKey.unregister(7);  // harmless
    EXPECT_FALSE(pressed);
}

TEST(PortalGlobalHotKey, APortalThatSaysNoIsToldOnceWithTheDesktopShortcutInstead) {
    const char* const portals[] = {
        R"({"refuse": "BindShortcuts"})",                 // the user cancelled the dialog
        R"({"refuse": "BindShortcuts", "response": 2})",  // the desktop failed
        R"({"refuse": "CreateSession"})",
        R"({"shortcuts": false})",  // a portal without global shortcuts
    };
    for (const char* parameters : portals) {
        SCOPED_TRACE(parameters);
        FakePortal portal(parameters);
        ASSERT_TRUE(portal.up());
        PortalGlobalHotKey hotKey(kNewNote);
        Refusals refusals;
        hotKey.onRefused(refusals.handler());
        std::string reason;
        ASSERT_TRUE(hotKey.registerCtrlAlt(
            7, 'N', [] {}, reason))
            << "the request went out";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !refusals.seen.empty(); }, kPatience));
        ASSERT_EQ(refusals.seen.size(), 1u);
        EXPECT_EQ(refusals.seen[0].first, 7);
        EXPECT_THAT(refusals.seen[0].second, HasSubstr("\"jotwise note\""));
        EXPECT_FALSE(hotKey.bound());
    }
}

}  // namespace
}  // namespace platform

#include "portal_global_hot_key_test.moc"
