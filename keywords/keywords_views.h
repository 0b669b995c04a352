#pragma once

#include <string>
#include <vector>

namespace keywords {

// The three kinds of item a keyword can name, in the order the filter offers them.
enum class KeywordKind { Folders = 0, Categories = 1, Contacts = 2 };

// An item as the dialogs offer it: shown by its display text, known by its key (a folder's
// kind, a category's name, a contact's key). Rows keep keys, never pointers: the session
// may replace its items while a dialog is open.
struct ItemChoice {
    std::string display;
    std::string key;
    bool operator==(const ItemChoice&) const = default;
};

// One row of the keywords list.
struct KeywordRow {
    std::string keyword;
    ItemChoice item;
    bool operator==(const KeywordRow&) const = default;
};

// The keywords list window as its logic drives it.
class KeywordsListView {
public:
    virtual ~KeywordsListView() = default;
    virtual void setFilterIndex(int index) = 0;
    // The rows in the order to show them; no row is selected afterwards.
    virtual void showRows(const std::vector<KeywordRow>& rows) = 0;
    // Selects the row and scrolls it into view.
    virtual void selectRow(int row) = 0;
    virtual void setModifyRemoveEnabled(bool enabled) = 0;
    virtual void focusFilter() = 0;
};

// The window that edits one keyword, as its logic drives it.
class KeywordEditView {
public:
    virtual ~KeywordEditView() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setTypeLabel(const std::string& text) = 0;
    // The items to assign to, in the order to show them; the box is a choose-only list, or
    // (categories) a box the user may also type a new name into.
    virtual void setAssignEntries(const std::vector<ItemChoice>& entries, bool editable) = 0;
    virtual void setKeywordText(const std::string& text) = 0;
    // Selects the entry at `index`, or none (-1) with an empty text.
    virtual void selectAssignEntry(int index) = 0;
    virtual void setOkEnabled(bool enabled) = 0;
    virtual void focusKeyword() = 0;
    // Shows the window until it closes; its result (1 OK, 2 Cancel, 0 closed otherwise).
    virtual int runModal() = 0;
    virtual void closeWith(int result) = 0;
};

}  // namespace keywords
