#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "shell/reminder_presenter.h"
#include "shell/reminders_view.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace shell::ui {

// The reminders due and not yet answered, with Open, Snooze (for a time picked) and Dismiss,
// where the desktop shows no notifications with actions. Never modal; closing it only hides it.
class RemindersWindow : public QDialog, public RemindersView {
public:
    explicit RemindersWindow(TReminderPresenter& logic);
    ~RemindersWindow() override;

    // RemindersView
    void showReminders(const std::vector<Row>& rows, bool raise) override;

private:
    // The entry id of the selected row; empty when none is.
    std::string selected() const;
    void updateButtons();

    TReminderPresenter& logic_;
    QTreeWidget* lstReminders_ = nullptr;
    QPushButton* btnOpen_ = nullptr;
    QPushButton* btnDismiss_ = nullptr;
    QPushButton* btnSnooze_ = nullptr;
    QComboBox* cboSnooze_ = nullptr;
};

}  // namespace shell::ui
