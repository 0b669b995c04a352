#include "keywords/keywords_dialog.h"

#include <algorithm>

#include "keywords/keyword_in_use.h"
#include "keywords/keyword_kind.h"
#include "messages/error_box.h"
#include "outlook/items/contact.h"
#include "outlook/items/item.h"
#include "outlook/session/data_store.h"
#include "outlook/session/item_list.h"
#include "platform/collation.h"
#include "platform/text.h"
#include "sentex.h"

namespace keywords {
namespace {

constexpr messages::MessageId kDuplicateKeyword = 102;
constexpr messages::MessageId kConfirmDelete = 103;
constexpr messages::MessageId kInvalidKeyword = 1003;
constexpr int kHelpTopic = 1503;

std::string canonical(const std::string& text) {
    char out[SENTEX_TEXT_SLOT];
    return Prs_FilterAlias(text.c_str(), out) == 1 ? std::string(out) : std::string();
}

}  // namespace

TKeywordsDlgForm::TKeywordsDlgForm(outlook::TDataStore& store, KeywordsListView& view,
                                   TKeywordEditDlgForm& edit, platform::MessageBoxes& boxes,
                                   platform::HelpViewer& help)
    : store_(store), view_(view), edit_(edit), boxes_(boxes), help_(help) {}

void TKeywordsDlgForm::FormCreate() {
    kind_ = KeywordKind::Categories;
    view_.setFilterIndex(static_cast<int>(kind_));
}

void TKeywordsDlgForm::FormShow() {
    view_.setModifyRemoveEnabled(false);
    FillKeywordList();
    view_.focusFilter();
}

void TKeywordsDlgForm::FormClose() {
    if (const messages::MessageId id = store_.SaveKeywords()) messages::ShowError(id, 0);
}

void TKeywordsDlgForm::FilterComboChange(int index) {
    if (index < 0 || index > 2) return;
    kind_ = static_cast<KeywordKind>(index);
    view_.setModifyRemoveEnabled(false);
    FillKeywordList();
}

// ---- The rows ----

outlook::TItem* TKeywordsDlgForm::FindItem(const std::string& key) const {
    if (key.empty()) return nullptr;
    switch (kind_) {
        case KeywordKind::Folders:
            return store_.FindFolder(key);
        case KeywordKind::Categories:
            return store_.FindCategory(key);
        case KeywordKind::Contacts:
            return store_.FindContact(key);
    }
    return nullptr;
}

std::string TKeywordsDlgForm::DisplayOf(const std::string& key) const {
    switch (kind_) {
        case KeywordKind::Folders:
            if (const auto* folder = store_.FindFolder(key)) return folder->DisplayName();
            break;
        case KeywordKind::Categories:
            return key;
        case KeywordKind::Contacts:
            if (const auto* contact = store_.FindContact(key)) return contact->FileAs();
            break;
    }
    return {};
}

void TKeywordsDlgForm::FillKeywordList() {
    rows_.clear();
    char keyword[SENTEX_TEXT_SLOT], list[SENTEX_TEXT_SLOT], project[SENTEX_TEXT_SLOT],
        contact[SENTEX_TEXT_SLOT];
    for (std::int32_t found = Prs_GetFirstAlias(keyword, list, project, contact); found == 1;
         found = Prs_GetNextAlias(keyword, list, project, contact)) {
        const char* key = kind_ == KeywordKind::Folders      ? project
                          : kind_ == KeywordKind::Categories ? list
                                                             : contact;
        if (FindItem(key)) rows_.push_back({keyword, {DisplayOf(key), key}});
    }
    KeywordsListColumnClick(0);
}

void TKeywordsDlgForm::ShowRows() {
    view_.showRows(rows_);
    selected_ = -1;
    view_.setModifyRemoveEnabled(false);
}

void TKeywordsDlgForm::KeywordsListClick(int row) {
    selected_ = row >= 0 && static_cast<std::size_t>(row) < rows_.size() ? row : -1;
    view_.setModifyRemoveEnabled(selected_ >= 0);
}

void TKeywordsDlgForm::KeywordsListDblClick() {
    ModifyButtonClick();
}

bool TKeywordsDlgForm::Before(const KeywordRow& a, const KeywordRow& b) const {
    if (sortColumn_ == 0) return platform::compareInLocale(a.keyword, b.keyword, false) < 0;
    return platform::compareInLocale(a.item.display, b.item.display, true) < 0;
}

void TKeywordsDlgForm::KeywordsListColumnClick(int column) {
    sortColumn_ = column == 0 ? 0 : 1;
    std::stable_sort(rows_.begin(), rows_.end(),
                     [this](const KeywordRow& a, const KeywordRow& b) { return Before(a, b); });
    ShowRows();
}

// A row added at the end of a sorted list would be out of view and out of place: the user
// could not tell that anything was added.
void TKeywordsDlgForm::PlaceRow(KeywordRow row) {
    const auto at =
        std::upper_bound(rows_.begin(), rows_.end(), row,
                         [this](const KeywordRow& a, const KeywordRow& b) { return Before(a, b); });
    const auto placed = rows_.insert(at, std::move(row));
    const int index = static_cast<int>(placed - rows_.begin());
    ShowRows();
    selected_ = index;
    view_.selectRow(index);
    view_.setModifyRemoveEnabled(true);
}

// ---- Changes ----

std::vector<ItemChoice> TKeywordsDlgForm::Choices() const {
    std::vector<ItemChoice> choices;
    outlook::CollectingItemList list([&](const std::string& text, outlook::TItem* item) {
        std::string key = text;
        if (kind_ == KeywordKind::Folders)
            key = static_cast<outlook::TFolder*>(item)->Kind();
        else if (kind_ == KeywordKind::Contacts)
            key = static_cast<outlook::TContact*>(item)->Key();
        choices.push_back({text, key});
    });
    switch (kind_) {
        case KeywordKind::Folders:
            store_.FillFolderList(list);
            break;
        case KeywordKind::Categories:
            store_.FillCategoryList(list);
            break;
        case KeywordKind::Contacts:
            store_.FillContactList(list);
            break;
    }
    std::stable_sort(choices.begin(), choices.end(), [](const ItemChoice& a, const ItemChoice& b) {
        return platform::compareInLocale(a.display, b.display, true) < 0;
    });
    return choices;
}

std::optional<KeywordRow> TKeywordsDlgForm::EditKeyword(const std::string& keyword,
                                                        const std::string& itemKey) {
    const std::vector<ItemChoice> choices = Choices();
    if (edit_.Run(kind_, choices, keyword, itemKey,
                  [this](const std::string& text) { return KeywordInUse(store_, text); }) != 1)
        return std::nullopt;
    KeywordRow result{edit_.KeywordText(), {}};
    const int index = edit_.AssignIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < choices.size()) {
        result.item = choices[static_cast<std::size_t>(index)];
        return result;
    }
    // A typed category name: an existing category of that name, whatever its letter case,
    // or a new one.
    const std::string typed(platform::trimmed(edit_.AssignText()));
    for (const auto& [name, category] : store_.Categories())
        if (platform::equalsIgnoreCase(name, typed)) {
            result.item = {name, name};
            return result;
        }
    store_.AddCategory(std::make_unique<outlook::TCategory>(typed));
    result.item = {typed, typed};
    return result;
}

bool TKeywordsDlgForm::RegisterKeyword(const std::string& text, const std::string& itemKey) {
    outlook::TItem* item = FindItem(itemKey);
    if (!item) return false;
    const std::string none;
    const std::string& list = kind_ == KeywordKind::Categories ? itemKey : none;
    const std::string& project = kind_ == KeywordKind::Folders ? itemKey : none;
    const std::string& contact = kind_ == KeywordKind::Contacts ? itemKey : none;
    if (Prs_AddAlias(text.c_str(), list.c_str(), project.c_str(), contact.c_str()) != 1)
        return false;
    ++item->keywordCount;
    item->keywordsCustomized = true;
    return true;
}

bool TKeywordsDlgForm::AddKeyword(const std::string& text, const ItemChoice& item) {
    if (!RegisterKeyword(text, item.key)) {
        boxes_.show(messages::LoadMessage(messages::kCaption),
                    messages::LoadMessage(kDuplicateKeyword), platform::MessageIcon::Warning,
                    platform::MessageButtons::Ok);
        return false;
    }
    PlaceRow({text, item});
    return true;
}

bool TKeywordsDlgForm::DeleteSelectedKeyword() {
    if (selected_ < 0) return false;
    const KeywordRow row = rows_[static_cast<std::size_t>(selected_)];
    // The store refuses only a keyword it no longer has (its item went away while the
    // window was open): that keyword is as gone as asked, so its row leaves the list too.
    if (Prs_DeleteAlias(row.keyword.c_str()) == 1) {
        if (outlook::TItem* item = FindItem(row.item.key)) {
            item->keywordsCustomized = true;
            if (item->keywordCount > 0) --item->keywordCount;
        }
    }
    rows_.erase(rows_.begin() + selected_);
    ShowRows();
    return true;
}

void TKeywordsDlgForm::AddButtonClick() {
    if (const std::optional<KeywordRow> added = EditKeyword("", ""))
        AddKeyword(added->keyword, added->item);
}

void TKeywordsDlgForm::ModifyButtonClick() {
    if (selected_ < 0) return;
    const int row = selected_;
    const KeywordRow old = rows_[static_cast<std::size_t>(row)];
    const std::optional<KeywordRow> changed = EditKeyword(old.keyword, old.item.key);
    if (!changed) return;

    if (changed->item.key == old.item.key) {
        if (outlook::TItem* item = FindItem(old.item.key)) item->keywordsCustomized = true;
        if (canonical(changed->keyword) == canonical(old.keyword)) return;
        if (Prs_RenameAlias(old.keyword.c_str(), changed->keyword.c_str()) != 1) {
            boxes_.show(messages::LoadMessage(messages::kCaption),
                        messages::LoadMessage(kInvalidKeyword), platform::MessageIcon::Stop,
                        platform::MessageButtons::Ok);
            return;
        }
        rows_.erase(rows_.begin() + row);
        PlaceRow({changed->keyword, old.item});
        return;
    }
    selected_ = row;
    if (!DeleteSelectedKeyword()) return;
    // Never lose the keyword: when the new one cannot be had, the old one comes back.
    if (!AddKeyword(changed->keyword, changed->item) && RegisterKeyword(old.keyword, old.item.key))
        PlaceRow(old);
}

void TKeywordsDlgForm::RemoveButtonClick() {
    if (selected_ < 0) return;
    std::string question = messages::LoadMessage(kConfirmDelete);
    if (const auto at = question.find("%s"); at != std::string::npos)
        question.replace(at, 2, rows_[static_cast<std::size_t>(selected_)].keyword);
    if (boxes_.show(messages::LoadMessage(messages::kCaption), question,
                    platform::MessageIcon::None,
                    platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return;
    DeleteSelectedKeyword();
    view_.setModifyRemoveEnabled(false);
}

void TKeywordsDlgForm::btnHelpClick() {
    help_.showTopic(kHelpTopic);
}

}  // namespace keywords
