#include "platform/ui/x11_key_capture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <chrono>

#include "platform/ui/x11_typed_key.h"

// Xlib last: its macros (None, Bool, KeyPress, ...) would clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib's names of the key events would hide Qt's.
#undef KeyPress
#undef KeyRelease

namespace platform {
namespace {

constexpr std::chrono::seconds kLongestHold{1};

}  // namespace

X11KeyCapture::X11KeyCapture() {
    timeout_.setSingleShot(true);
    timeout_.setInterval(kLongestHold);
    QObject::connect(&timeout_, &QTimer::timeout, [this] { release(); });
}

X11KeyCapture::~X11KeyCapture() {
    QObject::disconnect(focusWatch_);
    if (grabbed_ && display_) {
        XUngrabKeyboard(display_, CurrentTime);
        XFlush(display_);
    }
}

void X11KeyCapture::start(Display* display) {
    display_ = display;
    if (!grabbed_) {
        focusAtPress_ = QGuiApplication::focusWindow();
        // Owner events off: every key is reported on the root window, even once a window of
        // ours has the focus, so that all of them pass through here in one order.
        grabbed_ = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
                                 GrabModeAsync, CurrentTime) == GrabSuccess;
        if (grabbed_)
            focusWatch_ = QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged,
                                           [this](QWindow* window) { focusChanged(window); });
    }
    // The grab thaws the keyboard; should it have failed, the keyboard must run on all the same.
    XAllowEvents(display, AsyncKeyboard, CurrentTime);
    XFlush(display);
}

void X11KeyCapture::pressHandled() {
    if (grabbed_) timeout_.start();
}

bool X11KeyCapture::keyEvent(const xcb_key_press_event_t& event) {
    if (!display_ || event.event != DefaultRootWindow(display_)) return false;
    // Keys the server sent before it saw the keyboard let go follow the held ones.
    held_.push_back(event);
    if (!grabbed_) deliverHeld();
    return true;
}

void X11KeyCapture::focusChanged(QWindow* window) {
    if (window && window != focusAtPress_) release();
}

void X11KeyCapture::release() {
    if (!grabbed_) return;
    grabbed_ = false;
    timeout_.stop();
    QObject::disconnect(focusWatch_);
    XUngrabKeyboard(display_, CurrentTime);
    XFlush(display_);
    deliverHeld();
}

void X11KeyCapture::deliverHeld() {
    // A key that opens a modal dialog runs an event loop inside its delivery: the keys that
    // arrive meanwhile join the queue here rather than overtake it.
    if (delivering_) return;
    delivering_ = true;
    while (!held_.empty()) {
        const xcb_key_press_event_t event = held_.front();
        held_.pop_front();
        deliver(event);
    }
    delivering_ = false;
}

void X11KeyCapture::deliver(const xcb_key_press_event_t& event) const {
    QObject* target = QGuiApplication::focusObject();
    if (!target) return;
    const bool press = (event.response_type & 0x7f) == XCB_KEY_PRESS;
    XKeyEvent key{};
    key.type = press ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
    key.display = display_;
    key.keycode = event.detail;
    key.state = event.state;
    KeySym keysym = NoSymbol;
    char ignored[8];
    XLookupString(&key, ignored, sizeof ignored, &keysym, nullptr);
    const TypedKey typed = typedKey(keysym, event.state);
    QKeyEvent qtEvent(press ? QEvent::KeyPress : QEvent::KeyRelease, typed.key, typed.modifiers,
                      event.detail, static_cast<quint32>(keysym), event.state, typed.text);
    QCoreApplication::sendEvent(target, &qtEvent);
}

}  // namespace platform
