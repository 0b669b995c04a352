#include "platform/ui/global_hot_key_choice.h"

#include <QGuiApplication>

#include "platform/no_global_hot_key.h"
#include "platform/ui/x11_global_hot_key.h"

namespace platform {

std::unique_ptr<GlobalHotKey> chooseGlobalHotKey(const PortalShortcut& shortcut) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) return std::make_unique<X11GlobalHotKey>();
    // Qt names its Wayland platforms "wayland", "wayland-egl" and so on.
    if (platform.startsWith(QLatin1String("wayland")))
        return std::make_unique<PortalGlobalHotKey>(shortcut);
    return std::make_unique<NoGlobalHotKey>();
}

}  // namespace platform
