#pragma once

#include "outlook/local/appointment_editor.h"
#include "outlook/local/ui/item_window.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace outlook::local {

// The form of an appointment or meeting.
class AppointmentWindow : public ItemWindow {
public:
    AppointmentWindow(std::unique_ptr<AppointmentEditor> editor, WindowSizes& sizes,
                      platform::MessageBoxes* boxes, std::vector<std::string> categories,
                      QWidget* parent);

protected:
    void showFields() override;
    QString summary() const override;

private:
    QWidget* makeFields();
    // Shows where the end went after the start was settled.
    void startSettled();
    AppointmentEditor& fields();
    const AppointmentEditor& fields() const;

    QLineEdit* subject_ = nullptr;
    QLineEdit* location_ = nullptr;
    QDateEdit* startDay_ = nullptr;
    QComboBox* startTime_ = nullptr;
    QDateEdit* endDay_ = nullptr;
    QComboBox* endTime_ = nullptr;
    QCheckBox* allDay_ = nullptr;
    QCheckBox* reminder_ = nullptr;
    QComboBox* reminderLead_ = nullptr;
    QComboBox* showAs_ = nullptr;
    QWidget* repeatRow_ = nullptr;
    QLabel* repeat_ = nullptr;
};

}  // namespace outlook::local
