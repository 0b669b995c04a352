#include "outlook/local/task_editor.h"

#include <algorithm>

#include "outlook/object_model.h"
#include "outlook/ole_date.h"

namespace outlook::local {

using namespace std::chrono;

namespace {

constexpr hours kReminderHour{8};

std::optional<year_month_day> dayOf(const Variant& value) {
    const auto time = localOf(value);
    if (!time) return std::nullopt;
    return year_month_day{floor<days>(*time)};
}

year_month_day today() {
    return year_month_day{floor<days>(LocalFromOleDate(OleDateNow()))};
}

}  // namespace

TaskEditor::TaskEditor(DispatchPtr item, DispatchPtr nameSpace)
    : ItemEditor(std::move(item), std::move(nameSpace)) {
    readAll();
}

std::int32_t TaskEditor::createType() const {
    return olTaskItem;
}

void TaskEditor::readFields(Dispatch& item) {
    subject = item.get("Subject").asString();
    dueDate = dayOf(item.get("DueDate"));
    status_ = item.get("Status").asInt();
    percent_ = std::clamp(item.get("PercentComplete").asInt(), 0, 100);
    completed_ = dayOf(item.get("DateCompleted"));
    reminder = item.get("ReminderSet").asBool();
    // Without a reminder time of its own, the reminder goes off on the morning it is due.
    const auto at = localOf(item.get("ReminderTime"));
    reminderAt = splitLocal(at.value_or(local_days{dueDate.value_or(today())} + kReminderHour));
}

void TaskEditor::markComplete() {
    status_ = olTaskComplete;
    percent_ = 100;
    if (!completed_) completed_ = today();
}

void TaskEditor::leaveCompleted() {
    completed_.reset();
    if (percent_ == 100) percent_ = 0;
}

void TaskEditor::setStatus(std::int32_t status) {
    if (status == olTaskComplete) return markComplete();
    if (status_ == olTaskComplete) leaveCompleted();
    status_ = status;
}

void TaskEditor::setPercentComplete(std::int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == 100) return markComplete();
    if (status_ == olTaskComplete) {
        completed_.reset();
        status_ = percent == 0 ? olTaskNotStarted : olTaskInProgress;
    }
    percent_ = percent;
}

std::variant<ItemEditor::Values, ItemEditor::Problem> TaskEditor::kindValues() const {
    Variant reminderTime;
    if (reminder) {
        const auto at = joinLocal(reminderAt);
        if (!at) return Problem{unreadableTime("reminder time", reminderAt.time), "cbReminderTime"};
        reminderTime = dateValue(*at);
    }
    return Values{
        {"Subject", subject},
        {"DueDate", dueDate ? dateValue(*dueDate) : Variant()},
        {"Status", status_},
        {"PercentComplete", percent_},
        {"DateCompleted", completed_ ? dateValue(*completed_) : Variant()},
        {"ReminderSet", reminder},
        {"ReminderTime", reminderTime},
    };
}

}  // namespace outlook::local
