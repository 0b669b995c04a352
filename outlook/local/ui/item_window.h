#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "outlook/local/item_editor.h"
#include "outlook/local/store/folder_kind.h"
#include "outlook/local/window_sizes.h"
#include "platform/message_boxes.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace outlook::local {

class CategoryPicker;

// What the forms of appointments, tasks, notes and journal entries share: a header with the
// item's title, the kind's own fields (from a subclass), the text, the categories, the links
// and attachments, a line for problems, and Save & Close. The ItemEditor keeps the values,
// checks, saves and asks; the window shows and forwards.
class ItemWindow : public QDialog {
public:
    const DispatchPtr& item() const { return editor_->item(); }
    // Closes the window because the item was closed elsewhere: nothing is saved here.
    void closeForItem();
    // Save & Close (Ctrl+S): a problem keeps the window open and says what to correct.
    void save();
    // Escape and the close box: asks first whether to save a changed item.
    void reject() override;

protected:
    struct Look {
        const char* objectName;  // "AppointmentForm"
        FolderKind icon;
        const char* sizeName;  // the window size's name in WindowSizes
        QSize size;
    };
    ItemWindow(std::unique_ptr<ItemEditor> editor, Look look, WindowSizes& sizes,
               platform::MessageBoxes* boxes, std::vector<std::string> categories, QWidget* parent);
    // Lays the window out around `fields` (may be null); subclasses call it once their
    // fields exist.
    void build(QWidget* fields);
    // Shows the kind's fields as the editor holds them.
    virtual void showFields() = 0;
    // What the header says under the title.
    virtual QString summary() const;
    void showHeader();
    void showAll();
    void done(int result) override;

    ItemEditor& editor() { return *editor_; }
    const ItemEditor& editor() const { return *editor_; }

private:
    QWidget* makeHeader();
    QWidget* makeAttachments();
    void showAttachments();
    void showProblem(const ItemEditor::Problem& problem);
    void showNote(const QString& text);
    void resolveConflict(ItemEditor::Outcome outcome);
    void closeSaved();
    void discardAndClose();

    std::unique_ptr<ItemEditor> editor_;
    Look look_;
    WindowSizes& sizes_;
    std::unique_ptr<platform::MessageBoxes> ownBoxes_;
    platform::MessageBoxes& boxes_;
    std::vector<std::string> categories_;
    QLabel* heading_ = nullptr;
    QLabel* subheading_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    CategoryPicker* picker_ = nullptr;
    QWidget* attachmentsBox_ = nullptr;
    QTreeWidget* attachments_ = nullptr;
    QPushButton* openAttachment_ = nullptr;
    QPushButton* removeAttachment_ = nullptr;
    QLabel* problem_ = nullptr;
    bool closing_ = false;
};

// The form for an item that has an editor: appointments and meetings, tasks, notes and
// journal entries.
ItemWindow* makeItemWindow(std::unique_ptr<ItemEditor> editor, WindowSizes& sizes,
                           platform::MessageBoxes* boxes, std::vector<std::string> categories,
                           QWidget* parent);

}  // namespace outlook::local
