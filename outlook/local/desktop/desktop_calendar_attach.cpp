#include "outlook/local/desktop/desktop_calendar_attach.h"

#include "outlook/local/desktop/desktop_setting.h"
#include "outlook/local/store/store.h"

namespace outlook::local::desktop {

std::shared_ptr<DesktopCalendarTarget> attachDesktopCalendar(
    Store& store, DesktopCalendarTarget::Options options) {
    // The old target finishes its work before the new one starts comparing.
    store.setChangeObserver(nullptr, ObserverSlot::DesktopCalendar);
    auto target = std::make_shared<DesktopCalendarTarget>(store, std::move(options));
    store.setChangeObserver(target, ObserverSlot::DesktopCalendar);
    return target;
}

std::shared_ptr<DesktopCalendarTarget> followDesktopCalendarSetting(
    Store& store, platform::Registry& registry) noexcept {
    try {
        const DesktopSetting setting = readDesktopSetting(registry);
        const auto active = attachedDesktopCalendar(store);
        if (!setting.enabled) {
            if (active) store.setChangeObserver(nullptr, ObserverSlot::DesktopCalendar);
            return nullptr;
        }
        const DesktopSources sources{setting.calendar, setting.taskList, setting.memoList};
        if (active && active->sources() == sources) return active;
        DesktopCalendarTarget::Options options;
        options.sources = sources;
        return attachDesktopCalendar(store, std::move(options));
    } catch (const std::exception&) {
        // No thread to be had now: the next call tries again.
        return attachedDesktopCalendar(store);
    }
}

std::shared_ptr<DesktopCalendarTarget> attachedDesktopCalendar(const Store& store) {
    return std::dynamic_pointer_cast<DesktopCalendarTarget>(
        store.changeObserver(ObserverSlot::DesktopCalendar));
}

}  // namespace outlook::local::desktop
