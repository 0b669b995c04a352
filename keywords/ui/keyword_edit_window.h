#pragma once

#include <QDialog>

#include "keywords/keyword_edit_dialog.h"
#include "keywords/keywords_views.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace keywords::ui {

// The window that edits one keyword: the keyword, the item it is assigned to, OK and Cancel.
// It shows what its logic tells it and passes on what the user does.
class KeywordEditWindow : public QDialog, public KeywordEditView {
public:
    explicit KeywordEditWindow(QWidget* parent = nullptr);
    void setLogic(TKeywordEditDlgForm& logic) { logic_ = &logic; }

    // KeywordEditView
    void setCaption(const std::string& caption) override;
    void setTypeLabel(const std::string& text) override;
    void setAssignEntries(const std::vector<ItemChoice>& entries, bool editable) override;
    void setKeywordText(const std::string& text) override;
    void selectAssignEntry(int index) override;
    void setOkEnabled(bool enabled) override;
    void focusKeyword() override;
    int runModal() override;
    void closeWith(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    // The user picked the entry at `index`, or typed a text (-1 when no entry has it).
    void assignChanged(int index);

    TKeywordEditDlgForm* logic_ = nullptr;
    QLineEdit* keyword_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QComboBox* assign_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace keywords::ui
