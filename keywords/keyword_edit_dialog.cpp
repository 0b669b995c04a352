#include "keywords/keyword_edit_dialog.h"

#include <utility>

#include "keywords/keyword_kind.h"
#include "messages/messages.h"
#include "platform/text.h"
#include "sentex.h"

namespace keywords {
namespace {

constexpr messages::MessageId kInvalidKeyword = 1003;

// The text as the keyword store keeps it, or "" when it can be no keyword.
std::string canonical(const std::string& text) {
    char out[SENTEX_TEXT_SLOT];
    return Prs_FilterAlias(text.c_str(), out) == 1 ? std::string(out) : std::string();
}

}  // namespace

TKeywordEditDlgForm::TKeywordEditDlgForm(KeywordEditView& view, platform::MessageBoxes& boxes)
    : view_(view), boxes_(boxes) {}

int TKeywordEditDlgForm::Run(KeywordKind kind, const std::vector<ItemChoice>& entries,
                             const std::string& keyword, const std::string& itemKey,
                             InUseText inUse) {
    const std::string word(KindWord(kind));
    inUse_ = std::move(inUse);
    modifying = !itemKey.empty();
    view_.setAssignEntries(entries, kind == KeywordKind::Categories);
    view_.setCaption((modifying ? "Modify " : "Add ") + word + " Keyword");
    view_.setTypeLabel(word + ":");

    originalKeyword_ = keyword;
    keywordText_ = keyword;
    view_.setKeywordText(keyword);
    assignIndex_ = -1;
    assignText_.clear();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (modifying && entries[i].key == itemKey) {
            assignIndex_ = static_cast<int>(i);
            assignText_ = entries[i].display;
        }
    view_.selectAssignEntry(assignIndex_);
    // The button follows the user's changes only, so a modify starts with it disabled.
    view_.setOkEnabled(false);
    return view_.runModal();
}

void TKeywordEditDlgForm::FormShow() {
    view_.focusKeyword();
}

// A blank assignment names nothing: typed as a category, it would become a category
// without a name.
bool TKeywordEditDlgForm::CanAccept() const {
    return !keywordText_.empty() && !platform::trimmed(assignText_).empty();
}

void TKeywordEditDlgForm::UpdateOk() {
    view_.setOkEnabled(CanAccept());
}

void TKeywordEditDlgForm::KeywordTextChange(const std::string& text) {
    keywordText_ = text;
    UpdateOk();
}

void TKeywordEditDlgForm::AssignComboChange(const std::string& text, int index) {
    assignText_ = text;
    assignIndex_ = index;
    UpdateOk();
}

void TKeywordEditDlgForm::OKButtonClick() {
    if (!CanAccept()) return;
    // A new keyword, or one changed into another keyword, must be free: checked here, so
    // that the user can correct it without losing the old one.
    const bool changed = !modifying || canonical(keywordText_) != canonical(originalKeyword_);
    if (changed && Prs_IsValidAlias(keywordText_.c_str()) != 1) {
        // The line below the message names the keyword and what it already belongs to, so
        // the user need not search the list for it.
        std::string text = messages::LoadMessage(kInvalidKeyword);
        if (const std::string detail = inUse_ ? inUse_(keywordText_) : ""; !detail.empty())
            text += "\n" + detail;
        boxes_.show(messages::LoadMessage(messages::kCaption), text, platform::MessageIcon::Stop,
                    platform::MessageButtons::Ok);
        return;
    }
    view_.closeWith(1);
}

void TKeywordEditDlgForm::CancelButtonClick() {
    view_.closeWith(2);
}

}  // namespace keywords
