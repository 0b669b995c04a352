#include "shell/reminder_items.h"

#include "outlook/object_model.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/pattern_properties.h"

namespace shell {
namespace {

using namespace std::chrono;
using outlook::Dispatch;
using outlook::DispatchPtr;

// The object model reads an unset date as 1 January 4501.
constexpr double kNoDateSerial = 949998.0;

std::optional<local_seconds> dateOf(Dispatch& item, std::string_view property) {
    const outlook::OleDate date = item.get(property).asDate();
    if (date.serial >= kNoDateSerial) return std::nullopt;
    return outlook::LocalFromOleDate(date);
}

ReminderItem readItem(Dispatch& object, bool task) {
    ReminderItem item;
    item.entryId = object.get("EntryID").asString();
    item.subject = object.get("Subject").asString();
    item.task = task;
    item.reminderTime = dateOf(object, "ReminderTime");
    if (task) {
        item.start = dateOf(object, "DueDate");
        return item;
    }
    item.location = object.get("Location").asString();
    item.start = dateOf(object, "Start");
    item.end = dateOf(object, "End");
    item.minutesBefore = object.get("ReminderMinutesBeforeStart").asInt();
    if (object.get("IsRecurring").asBool())
        item.repeat =
            outlook::GetRecurrencePattern(*object.call("GetRecurrencePattern").asObject());
    return item;
}

}  // namespace

std::vector<ReminderItem> TReminderItems::Read() {
    std::vector<ReminderItem> items;
    readFolder(outlook::olFolderCalendar, items);
    readFolder(outlook::olFolderTasks, items);
    return items;
}

void TReminderItems::readFolder(std::int32_t folder, std::vector<ReminderItem>& items) {
    const DispatchPtr contents = session_.MapiNamespace()
                                     ->call("GetDefaultFolder", {folder})
                                     .asObject()
                                     ->get("Items")
                                     .asObject();
    const std::int32_t count = contents->get("Count").asInt();
    for (std::int32_t index = 1; index <= count; ++index) {
        const DispatchPtr object = contents->call("Item", {index}).asObject();
        if (!object->get("ReminderSet").asBool()) continue;
        const std::int32_t type = object->get("Class").asInt();
        if (type != outlook::olAppointment && type != outlook::olTask) continue;
        items.push_back(readItem(*object, type == outlook::olTask));
    }
}

DispatchPtr TReminderItems::item(const std::string& entryId) {
    return session_.MapiNamespace()->call("GetItemFromID", {entryId}).asObject();
}

void TReminderItems::SetReminderTime(const std::string& entryId, local_seconds at) {
    const DispatchPtr object = item(entryId);
    object->put("ReminderTime", outlook::OleDateFromLocal(at));
    object->call("Save");
}

void TReminderItems::Display(const std::string& entryId) {
    item(entryId)->call("Display");
}

void TReminderItems::ClearReminder(const std::string& entryId) {
    const DispatchPtr object = item(entryId);
    object->put("ReminderSet", false);
    // A snooze left on an appointment would outlast its reminder being turned on again; a
    // task's reminder time is the user's own and stays.
    if (object->get("Class").asInt() == outlook::olAppointment)
        object->put("ReminderTime", outlook::Variant());
    object->call("Save");
}

bool TReminderItems::Watch(std::function<void()> changed) {
    watches_.clear();
    for (const std::int32_t folder : {outlook::olFolderCalendar, outlook::olFolderTasks}) {
        auto watch = session_.WatchDefaultFolder(folder, changed);
        if (!watch) {
            watches_.clear();
            return false;
        }
        watches_.push_back(std::move(watch));
    }
    return true;
}

}  // namespace shell
