#pragma once

namespace outlook::local::desktop {

// Whether the desktop's calendar service (Evolution Data Server) is installed: its source
// registry can be started on the session bus, from an activation file in a data folder.
bool desktopCalendarInstalled();

}  // namespace outlook::local::desktop
