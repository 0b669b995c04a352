#include "shell/trayless_notice.h"

#include "shell/settings.h"

namespace shell {

const char* const TTraylessNotice::kSummary = "Jotwise is running without a tray icon";

std::string TTraylessNotice::Body(bool hotKey) {
    std::string body = hotKey ? "Press Ctrl+Alt+N for a note, or bind" : "To open notes, bind";
    return body +
           " a keyboard shortcut in your desktop's settings to the command \"jotwise note\". On "
           "GNOME, the AppIndicator extension shows the icon. Leave Jotwise with \"jotwise quit\" "
           "or Exit in a note's J menu.";
}

void TTraylessNotice::NoTray(bool hotKey) {
    if (told_ || services_.settings.TraylessNoticeShown()) return;
    told_ = true;
    // Written first: should the program end while the window is open, the next start does not
    // tell the user again.
    services_.settings.WriteTraylessNoticeShown();
    services_.view.showNotice(hotKey);
    services_.notifier.notify(kSummary, Body(hotKey));
}

}  // namespace shell
