#include "platform/ui/x11_global_hot_key.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <cctype>

#include <xcb/xproto.h>

// Xlib last: its macros (None, Bool, KeyPress, ...) would clash with Qt's names.
#include <X11/Xlib.h>

namespace platform {
namespace {

constexpr unsigned kCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
// Num Lock (Mod2) and Caps Lock change the state a key is reported with, so the key is
// grabbed in all four combinations of them.
constexpr unsigned kLockStates[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK,
                                    XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};
// The modifiers that decide whether a press is ours; the lock keys do not.
constexpr unsigned kRelevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

Display* x11Display() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Under the offscreen platform the interface is there, but not the display.
    return app ? app->display() : nullptr;
}

// Set by the error handler while a grab is checked: another client holds the key.
bool gGrabRefused = false;

int onGrabError(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) gGrabRefused = true;
    return 0;
}

void ungrab(Display* display, unsigned keycode) {
    const Window root = DefaultRootWindow(display);
    for (const unsigned locks : kLockStates)
        XUngrabKey(display, static_cast<int>(keycode), kCtrlAlt | locks, root);
    XFlush(display);
}

}  // namespace

X11GlobalHotKey::X11GlobalHotKey() : context_(std::make_unique<QObject>()) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotKey::~X11GlobalHotKey() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    if (Display* display = x11Display())
        for (const auto& [id, grab] : grabs_)
            ungrab(display, grab.keycode);
}

bool X11GlobalHotKey::registerCtrlAlt(std::uint16_t id, char letter, std::function<void()> pressed,
                                      std::string& reason) {
    Display* display = x11Display();
    if (!display) {
        reason = std::string(
                     "This desktop gives programs no system-wide keys (it is not an X11 "
                     "session). ") +
                 kDesktopShortcutInstead;
        return false;
    }
    // A Latin letter's key symbol is its lower-case character.
    const KeyCode keycode = XKeysymToKeycode(
        display, static_cast<KeySym>(std::tolower(static_cast<unsigned char>(letter))));
    if (keycode == 0) {
        reason = std::string("The keyboard has no key for ") + letter + ".";
        return false;
    }
    unregister(id);

    // Errors of the grab come back asynchronously: sync before and after, with a handler of
    // our own in between that notes a refusal instead of ending the program.
    XSync(display, False);
    gGrabRefused = false;
    const auto previous = XSetErrorHandler(onGrabError);
    const Window root = DefaultRootWindow(display);
    // The keyboard is held still at a press until the capture has taken it over, so that
    // the keys typed straight after the hot key wait for the program, however busy it is.
    // The capture runs on the event loop: while the loop is stuck, the keyboard waits too.
    for (const unsigned locks : kLockStates)
        XGrabKey(display, keycode, kCtrlAlt | locks, root, True, GrabModeAsync, GrabModeSync);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (gGrabRefused) {
        ungrab(display, keycode);
        reason = std::string("You may already be running a program which uses the CTRL+ALT+") +
                 letter + " hot key.";
        return false;
    }
    grabs_[id] = Grab{keycode, std::move(pressed)};
    return true;
}

void X11GlobalHotKey::unregister(std::uint16_t id) {
    const auto found = grabs_.find(id);
    if (found == grabs_.end()) return;
    if (Display* display = x11Display()) ungrab(display, found->second.keycode);
    grabs_.erase(found);
}

bool X11GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    const bool hotKey = type == XCB_KEY_PRESS && (key->state & kRelevantModifiers) == kCtrlAlt;
    for (const auto& [id, grab] : grabs_) {
        if (!hotKey || grab.keycode != key->detail) continue;
        capture_.start(x11Display());
        // Later, on the loop: the press may open windows, which is no work for a filter.
        QMetaObject::invokeMethod(
            context_.get(),
            [this, pressed = grab.pressed] {
                pressed();
                capture_.pressHandled();
            },
            Qt::QueuedConnection);
        return true;
    }
    return capture_.keyEvent(*key);
}

}  // namespace platform
