#pragma once

#include <string>

#include "shell/desktop_notifier.h"

namespace shell {

class TRegistry;

// The window that tells how to use the program without its tray icon.
class TraylessNoticeView {
public:
    virtual ~TraylessNoticeView() = default;
    // Shows the window beside the program's others; it holds nothing up. Without the hot key
    // it does not offer Ctrl+Alt+N.
    virtual void showNotice(bool hotKey) = 0;
};

// What a user without a tray icon needs instead: a desktop shortcut to `jotwise note`, the
// icon through the desktop's tray extension, and how to leave. Told once per profile, in a
// window and as a desktop notification; the help page says it again.
class TTraylessNotice {
public:
    struct Services {
        TRegistry& settings;
        TraylessNoticeView& view;
        DesktopNotifier& notifier;
    };

    explicit TTraylessNotice(Services services) : services_(services) {}

    // The program runs on without a tray icon, with or without its hot key.
    void NoTray(bool hotKey);

    // The notification's texts.
    static const char* const kSummary;
    static std::string Body(bool hotKey);

private:
    Services services_;
    bool told_ = false;
};

}  // namespace shell
