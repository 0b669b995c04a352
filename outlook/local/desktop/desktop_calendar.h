#pragma once

#include <string>
#include <vector>

// What the program and the desktop module (libjotwise-desktop.so) agree on. The module is
// built from the same sources with the same compiler, and the program checks its version
// before it calls anything, so plain C++ types cross; GLib's do not, and exceptions never do.

namespace outlook::local::desktop {

// The three lists of the desktop's calendar that items go to.
enum class DesktopList {
    Calendar,  // appointments and meeting requests (VEVENT)
    Tasks,     // tasks and task requests (VTODO)
    Memos,     // notes and journal entries (VJOURNAL)
};
inline constexpr DesktopList kDesktopLists[] = {DesktopList::Calendar, DesktopList::Tasks,
                                                DesktopList::Memos};

// The sources written to, by their UIDs; an empty one stands for the desktop's default.
struct DesktopSources {
    std::string calendar;
    std::string taskList;
    std::string memoList;

    bool operator==(const DesktopSources&) const = default;
};

// How a call ended. Unavailable means the desktop's calendar could not be reached at all (no
// session bus, no service, the source gone): nothing else is worth trying now. Refused means
// it answered and turned this one call down.
enum class DesktopResult { Done, Refused, Unavailable };

// One of the components put() wrote, as the list holds it now.
struct DesktopComponent {
    std::string uid;
    std::string stamp;  // what put() was given with it
};

// The desktop's calendar as the module reaches it. All calls but cancel() come from one
// thread, which the module may make wait for the desktop's services; a failure says why in
// `error`.
class DesktopCalendar {
public:
    virtual ~DesktopCalendar() = default;

    // Creates the component of `calendar` (a VCALENDAR holding one VEVENT, VTODO or VJOURNAL,
    // with the VTIMEZONE its times name), or replaces the one with its UID, keeping `stamp`
    // with it.
    virtual DesktopResult put(DesktopList list, const std::string& calendar,
                              const std::string& stamp, std::string& error) noexcept = 0;
    // Removes the component; Done as well when there is none.
    virtual DesktopResult remove(DesktopList list, const std::string& uid,
                                 std::string& error) noexcept = 0;
    // The list's components that put() wrote (those of other programs are left out).
    virtual DesktopResult list(DesktopList list, std::vector<DesktopComponent>& components,
                               std::string& error) noexcept = 0;
    // The name the desktop shows for the list's source ("Personal").
    virtual DesktopResult sourceName(DesktopList list, std::string& name,
                                     std::string& error) noexcept = 0;
    // From any thread: the call going on, and every later one, ends as Unavailable.
    virtual void cancel() noexcept = 0;
};

// The module's factory, by the name kDesktopCalendarFactory: a calendar that connects on its
// first call, owned by the caller; null only when memory ran out.
using DesktopCalendarFactory = DesktopCalendar* (*)(const DesktopSources& sources);
inline constexpr const char* kDesktopCalendarFactory = "jotwise_desktop_calendar_new";

}  // namespace outlook::local::desktop
