#pragma once

#include <optional>
#include <string>
#include <vector>

#include "keywords/keyword_edit_dialog.h"
#include "keywords/keywords_views.h"
#include "messages/messages.h"
#include "platform/help_viewer.h"
#include "platform/message_boxes.h"

namespace outlook {
class TDataStore;
class TItem;
}  // namespace outlook

namespace keywords {

// Lists the keywords of one kind of item and lets the user add, modify and remove them.
// Every change goes straight into the keyword store and the item's bookkeeping, which
// decides what the keywords file keeps; closing the window writes the file.
class TKeywordsDlgForm {
public:
    TKeywordsDlgForm(outlook::TDataStore& store, KeywordsListView& view, TKeywordEditDlgForm& edit,
                     platform::MessageBoxes& boxes, platform::HelpViewer& help);

    void FormCreate();
    void FormShow();
    void FormClose();
    void FilterComboChange(int index);
    // The row the user selected, -1 for none.
    void KeywordsListClick(int row);
    void KeywordsListDblClick();
    void KeywordsListColumnClick(int column);
    void AddButtonClick();
    void ModifyButtonClick();
    void RemoveButtonClick();
    void btnHelpClick();

    KeywordKind Kind() const { return kind_; }
    const std::vector<KeywordRow>& Rows() const { return rows_; }

private:
    void FillKeywordList();
    void ShowRows();
    // Puts the row where the list's order wants it, shows the list and selects the row there.
    void PlaceRow(KeywordRow row);
    bool Before(const KeywordRow& a, const KeywordRow& b) const;
    // The items of the selected kind, as the edit window offers them.
    std::vector<ItemChoice> Choices() const;
    outlook::TItem* FindItem(const std::string& key) const;
    // Runs the edit window; the text and the item's key it returns, or nothing.
    std::optional<KeywordRow> EditKeyword(const std::string& keyword, const std::string& itemKey);
    bool RegisterKeyword(const std::string& text, const std::string& itemKey);
    // Registers a new keyword and lists it; message 102 when the store refuses it.
    bool AddKeyword(const std::string& text, const ItemChoice& item);
    bool DeleteSelectedKeyword();
    std::string DisplayOf(const std::string& key) const;

    outlook::TDataStore& store_;
    KeywordsListView& view_;
    TKeywordEditDlgForm& edit_;
    platform::MessageBoxes& boxes_;
    platform::HelpViewer& help_;
    KeywordKind kind_ = KeywordKind::Categories;
    std::vector<KeywordRow> rows_;
    int selected_ = -1;
    int sortColumn_ = 0;
};

}  // namespace keywords
