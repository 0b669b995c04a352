#pragma once

#include "outlook/local/task_editor.h"
#include "outlook/local/ui/item_window.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace outlook::local {

// The form of a task.
class TaskWindow : public ItemWindow {
public:
    TaskWindow(std::unique_ptr<TaskEditor> editor, WindowSizes& sizes,
               platform::MessageBoxes* boxes, std::vector<std::string> categories, QWidget* parent);

protected:
    void showFields() override;
    QString summary() const override;

private:
    QWidget* makeFields();
    TaskEditor& fields();
    const TaskEditor& fields() const;

    QLineEdit* subject_ = nullptr;
    QCheckBox* hasDue_ = nullptr;
    QDateEdit* due_ = nullptr;
    QComboBox* status_ = nullptr;
    QSpinBox* percent_ = nullptr;
    QCheckBox* reminder_ = nullptr;
    QDateEdit* reminderDay_ = nullptr;
    QComboBox* reminderTime_ = nullptr;
    QPushButton* markComplete_ = nullptr;
    bool showing_ = false;
};

}  // namespace outlook::local
