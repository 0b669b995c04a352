#include "outlook/local/cli/desktop_commands.h"

#include "outlook/local/desktop/desktop_calendar_attach.h"
#include "outlook/local/desktop/desktop_setting.h"
#include "outlook/local/store/store.h"

namespace outlook::local {

using namespace desktop;

namespace {

constexpr int kDone = 0, kFailed = 1;

DesktopSources sourcesOf(const DesktopSetting& setting) {
    return {setting.calendar, setting.taskList, setting.memoList};
}

const char* describe(DesktopList list) {
    switch (list) {
        case DesktopList::Calendar:
            return "Calendar (appointments, meeting requests):";
        case DesktopList::Tasks:
            return "Task list (tasks, task requests):";
        case DesktopList::Memos:
            return "Memo list (notes, journal entries):";
    }
    return "";
}

// One line per list with the source's name; false with the reason when the desktop's calendar
// does not answer.
bool printSources(DesktopCalendar& calendar, std::ostream& out, std::string& problem) {
    for (const DesktopList list : kDesktopLists) {
        std::string name;
        if (calendar.sourceName(list, name, problem) != DesktopResult::Done) return false;
        out << describe(list) << " " << name << "\n";
    }
    return true;
}

}  // namespace

int printDesktopCalendarStatus(platform::Registry& registry, std::ostream& out) {
    const DesktopSetting setting = readDesktopSetting(registry);
    out << "The desktop calendar is " << (setting.enabled ? "on" : "off") << ".\n";
    std::string problem;
    const auto calendar = connectDesktopCalendar(sourcesOf(setting), problem);
    if (!calendar) {
        out << "It cannot be used here: " << problem << "\n";
        return kDone;
    }
    if (printSources(*calendar, out, problem))
        out << "The desktop's calendar answers.\n";
    else
        out << "The desktop's calendar does not answer: " << problem << "\n";
    return kDone;
}

int desktopCalendarOn(Store& store, platform::Registry& registry, std::ostream& out,
                      std::ostream& err) {
    // Only where the module and EDS's libraries load: elsewhere every program that opens the
    // store would try it in vain.
    std::string problem;
    if (!connectDesktopCalendar(sourcesOf(readDesktopSetting(registry)), problem)) {
        err << "jotwise-store: the desktop calendar cannot be used here: " << problem << "\n";
        return kFailed;
    }
    if (!writeDesktopEnabled(registry, true)) {
        err << "jotwise-store: the setting cannot be changed\n";
        return kFailed;
    }
    const auto target = followDesktopCalendarSetting(store, registry);
    if (!target) {
        err << "jotwise-store: the desktop calendar cannot be started now; it starts with the "
               "next program that opens the store\n";
        return kDone;
    }
    target->flush();
    const DesktopCounts counts = target->totals();
    out << "The desktop calendar is on: " << counts.written << " item"
        << (counts.written == 1 ? "" : "s") << " written";
    if (counts.removed > 0) out << ", " << counts.removed << " removed";
    out << ".\n";
    if (!counts.firstError.empty())
        out << "Not everything could be written (" << counts.firstError
            << "); the rest follows when the desktop's calendar answers.\n";
    return kDone;
}

int desktopCalendarOff(Store* store, platform::Registry& registry, std::ostream& out,
                       std::ostream& err) {
    if (!writeDesktopEnabled(registry, false)) {
        err << "jotwise-store: the setting cannot be changed\n";
        return kFailed;
    }
    if (store) followDesktopCalendarSetting(*store, registry);
    out << "The desktop calendar is off; the items it holds from Jotwise stay there.\n";
    return kDone;
}

}  // namespace outlook::local
