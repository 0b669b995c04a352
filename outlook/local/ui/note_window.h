#pragma once

#include "outlook/local/journal_editor.h"
#include "outlook/local/note_editor.h"
#include "outlook/local/ui/item_window.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace outlook::local {

// The form of a note: its text, whose first line is its subject, and its categories.
class NoteWindow : public ItemWindow {
public:
    NoteWindow(std::unique_ptr<NoteEditor> editor, WindowSizes& sizes,
               platform::MessageBoxes* boxes, std::vector<std::string> categories, QWidget* parent);

protected:
    void showFields() override {}
    QString summary() const override;
};

// The form of a journal entry; the contacts it names are shown, not edited.
class JournalWindow : public ItemWindow {
public:
    JournalWindow(std::unique_ptr<JournalEditor> editor, WindowSizes& sizes,
                  platform::MessageBoxes* boxes, std::vector<std::string> categories,
                  QWidget* parent);

protected:
    void showFields() override;

private:
    QWidget* makeFields();
    JournalEditor& fields();

    QLineEdit* subject_ = nullptr;
    QComboBox* type_ = nullptr;
    QDateEdit* startDay_ = nullptr;
    QComboBox* startTime_ = nullptr;
    QSpinBox* duration_ = nullptr;
    QLabel* contacts_ = nullptr;
};

}  // namespace outlook::local
