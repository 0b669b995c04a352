#pragma once

#include <optional>

#include "outlook/local/form_time.h"
#include "outlook/local/item_editor.h"

namespace outlook::local {

// The fields of a task: subject, due date, status and how much is done, the reminder. The
// status, the percentage and the completion date agree: completing sets all three, and
// leaving "Completed" drops the completion date.
class TaskEditor : public ItemEditor {
public:
    TaskEditor(DispatchPtr item, DispatchPtr nameSpace);

    std::string kindName() const override { return "Task"; }
    std::int32_t createType() const override;
    std::string title() const override { return subject; }

    std::int32_t status() const { return status_; }
    std::int32_t percentComplete() const { return percent_; }
    const std::optional<std::chrono::year_month_day>& dateCompleted() const { return completed_; }
    void setStatus(std::int32_t status);
    void setPercentComplete(std::int32_t percent);
    // Completed, 100 % and today as the completion date.
    void markComplete();

    std::string subject;
    std::optional<std::chrono::year_month_day> dueDate;
    bool reminder = false;
    DayAndTime reminderAt;

protected:
    void readFields(Dispatch& item) override;
    std::variant<Values, Problem> kindValues() const override;

private:
    void leaveCompleted();

    std::int32_t status_ = 0;
    std::int32_t percent_ = 0;
    std::optional<std::chrono::year_month_day> completed_;
};

}  // namespace outlook::local
