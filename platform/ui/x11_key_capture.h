#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <deque>

#include <xcb/xproto.h>

// Xlib's Display, without its macros.
struct _XDisplay;

namespace platform {

// The keys typed right after a system-wide hot key, kept for the window that the key opens.
//
// Until that window has the keyboard, the X server gives every key to the window that had it
// before: keys typed straight after the hot key would land there, or nowhere. So from the
// press on the keyboard is grabbed, and every key comes to this program, in the order typed.
// The keys are held until a window of this program that did not have the focus at the press
// gets it; they then go to its focused control, and the keyboard is let go. When no new window
// takes the focus within a second of the press being handled (it only brought a window
// already open forward, or the window manager kept the focus elsewhere), the held keys go to
// this program's focused control, if there is one.
class X11KeyCapture {
public:
    X11KeyCapture();
    ~X11KeyCapture();
    X11KeyCapture(const X11KeyCapture&) = delete;
    X11KeyCapture& operator=(const X11KeyCapture&) = delete;

    // At the hot key's press, while the server holds the keyboard still for it (the hot key
    // is grabbed with a synchronous keyboard): grabs the keyboard and lets it run on.
    void start(_XDisplay* display);
    // After the program did what the press asks: from now on the keys are held a second at
    // most.
    void pressHandled();

    // A key event of Qt's X connection; true when it was a key of the capture (reported on
    // the root window, where the grab sends it), which is held or handed on here.
    bool keyEvent(const xcb_key_press_event_t& event);

private:
    void focusChanged(QWindow* window);
    // Lets the keyboard go and hands the held keys on.
    void release();
    // Each key goes to the control that has the focus when its turn comes: a key may open a
    // dialog, which takes the keys after it.
    void deliverHeld();
    void deliver(const xcb_key_press_event_t& event) const;

    _XDisplay* display_ = nullptr;
    bool grabbed_ = false;
    bool delivering_ = false;
    QPointer<QWindow> focusAtPress_;
    std::deque<xcb_key_press_event_t> held_;
    QTimer timeout_;
    QMetaObject::Connection focusWatch_;
};

}  // namespace platform
