#pragma once

#include <memory>

#include "outlook/local/desktop/desktop_calendar_target.h"
#include "platform/registry.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::desktop {

// Starts writing the store's items into the desktop's calendar; a target already there stops
// first.
std::shared_ptr<DesktopCalendarTarget> attachDesktopCalendar(
    Store& store, DesktopCalendarTarget::Options options);
// Brings the store's desktop calendar target in line with the settings: starts one when the
// switch is on, starts it again when the sources changed, stops it when the switch is off.
// Returns the target now attached, or nullptr. Cheap while the setting stays as it is, so it
// can follow every poll of the store; never to be called with the store's lock held. Never
// throws.
std::shared_ptr<DesktopCalendarTarget> followDesktopCalendarSetting(
    Store& store, platform::Registry& registry) noexcept;
// The store's desktop calendar target, or nullptr.
std::shared_ptr<DesktopCalendarTarget> attachedDesktopCalendar(const Store& store);

}  // namespace outlook::local::desktop
