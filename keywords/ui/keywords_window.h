#pragma once

#include <QDialog>
#include <memory>

#include "keywords/keyword_edit_dialog.h"
#include "keywords/keywords_dialog.h"
#include "keywords/keywords_views.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace keywords::ui {

class KeywordEditWindow;

// The keywords window: the keywords of one kind of item, and the buttons to add, modify and
// remove them. It owns its edit window and the logic of both, and shows what the logic
// tells it. Shown modally, as many times as the user asks; closing it saves the keywords.
class KeywordsWindow : public QDialog, public KeywordsListView {
public:
    KeywordsWindow(outlook::TDataStore& store, platform::MessageBoxes& boxes,
                   platform::HelpViewer& help, QWidget* parent = nullptr);
    ~KeywordsWindow() override;

    TKeywordsDlgForm& logic() { return *logic_; }
    KeywordEditWindow& editWindow() { return *editWindow_; }

    // KeywordsListView
    void setFilterIndex(int index) override;
    void showRows(const std::vector<KeywordRow>& rows) override;
    void selectRow(int row) override;
    void setModifyRemoveEnabled(bool enabled) override;
    void focusFilter() override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    std::unique_ptr<KeywordEditWindow> editWindow_;
    std::unique_ptr<TKeywordEditDlgForm> editLogic_;
    std::unique_ptr<TKeywordsDlgForm> logic_;
    QComboBox* filter_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* remove_ = nullptr;
};

}  // namespace keywords::ui
