#pragma once

#include <ostream>

#include "platform/registry.h"

namespace outlook::local {

class Store;

// `jotwise-store desktop-calendar --status`: whether the desktop calendar is on, the sources
// it writes to by the names the desktop shows, and whether the desktop's calendar answers.
// Always 0.
int printDesktopCalendarStatus(platform::Registry& registry, std::ostream& out);

// `jotwise-store desktop-calendar --on`: switches it on where the desktop's calendar can be
// used, and writes the store's items into it now (`store` is the profile's own). 0 when on,
// 1 when it cannot be switched on here.
int desktopCalendarOn(Store& store, platform::Registry& registry, std::ostream& out,
                      std::ostream& err);

// `jotwise-store desktop-calendar --off`: what it wrote stays in the desktop's calendar.
int desktopCalendarOff(Store* store, platform::Registry& registry, std::ostream& out,
                       std::ostream& err);

}  // namespace outlook::local
