#pragma once

#include <functional>
#include <string>
#include <vector>

#include "keywords/keywords_views.h"
#include "platform/message_boxes.h"

namespace keywords {

// Edits one keyword and the item it is assigned to. In add mode the text must be a valid
// new keyword; in modify mode too, once the user changed it to another keyword.
class TKeywordEditDlgForm {
public:
    TKeywordEditDlgForm(KeywordEditView& view, platform::MessageBoxes& boxes);

    // Says what a text that is already a keyword names, or "" (see KeywordInUse).
    using InUseText = std::function<std::string(const std::string& text)>;

    // Prepares the window for one keyword of `kind` and shows it modally; its result.
    // `item` is the item the keyword is assigned to, or empty to add a keyword. A keyword
    // refused as in use is explained with `inUse`.
    int Run(KeywordKind kind, const std::vector<ItemChoice>& entries, const std::string& keyword,
            const std::string& itemKey, InUseText inUse = {});

    // What the user left in the window.
    const std::string& KeywordText() const { return keywordText_; }
    // The entry chosen, or -1 when the box holds a typed name (only for categories).
    int AssignIndex() const { return assignIndex_; }
    const std::string& AssignText() const { return assignText_; }
    bool modifying = false;

    // Events of the window.
    void FormShow();
    void KeywordTextChange(const std::string& text);
    void AssignComboChange(const std::string& text, int index);
    void OKButtonClick();
    void CancelButtonClick();

private:
    bool CanAccept() const;
    void UpdateOk();

    KeywordEditView& view_;
    platform::MessageBoxes& boxes_;
    InUseText inUse_;
    std::string originalKeyword_;
    std::string keywordText_, assignText_;
    int assignIndex_ = -1;
};

}  // namespace keywords
