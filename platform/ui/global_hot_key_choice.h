#pragma once

#include <memory>

#include "platform/global_hot_key.h"
#include "platform/ui/portal_global_hot_key.h"

namespace platform {

// The system-wide hot key of the desktop the program runs on, by Qt's platform: the X11 key
// grab on X11, the desktop portal's shortcuts on Wayland (`shortcut` is what the portal binds),
// and none elsewhere.
std::unique_ptr<GlobalHotKey> chooseGlobalHotKey(const PortalShortcut& shortcut);

}  // namespace platform
