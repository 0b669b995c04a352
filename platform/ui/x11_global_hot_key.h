#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/global_hot_key.h"
#include "platform/ui/x11_key_capture.h"

namespace platform {

// System-wide keys on X11: each key is grabbed on the root window of Qt's own X connection,
// once for every state of Num Lock and Caps Lock, and its presses are picked out of Qt's
// native events. The keys typed right after a press are kept for the window it opens
// (x11_key_capture.h). Where there is no X11 connection (Wayland, the offscreen platform) no
// key can be taken, and registering says why.
class X11GlobalHotKey : public GlobalHotKey, private QAbstractNativeEventFilter {
public:
    X11GlobalHotKey();
    ~X11GlobalHotKey() override;
    X11GlobalHotKey(const X11GlobalHotKey&) = delete;
    X11GlobalHotKey& operator=(const X11GlobalHotKey&) = delete;

    bool registerCtrlAlt(std::uint16_t id, char letter, std::function<void()> pressed,
                         std::string& reason) override;
    void unregister(std::uint16_t id) override;

private:
    struct Grab {
        unsigned keycode;
        std::function<void()> pressed;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::map<std::uint16_t, Grab> grabs_;
    X11KeyCapture capture_;
    // The presses are called from here, on the event loop; they go with it.
    std::unique_ptr<QObject> context_;
};

}  // namespace platform
