#include "outlook/items/contact.h"
#include "outlook/session/data_store.h"
#include "sentex.h"

namespace outlook {
namespace {

// Registers `keyword` for an item the user never customised, counting it when accepted.
void registerDefault(TItem& item, const std::string& keyword, const std::string& list,
                     const std::string& project, const std::string& contact) {
    if (item.keywordsCustomized) return;
    if (Prs_AddAlias(keyword.c_str(), list.c_str(), project.c_str(), contact.c_str()) == 1)
        ++item.keywordCount;
}

}  // namespace

void TDataStore::RegisterFolderKeywords() {
    for (auto& [kind, folder] : folders_)
        registerDefault(*folder, kind, "", kind, "");
}

void TDataStore::RegisterCategoryKeywords() {
    for (auto& [name, category] : categories_)
        registerDefault(*category, name, name, "", "");
}

void TDataStore::RegisterContactKeywords() {
    for (auto& [key, contact] : contacts_)
        registerDefault(*contact, contact->FullName(), "", "", key);
}

}  // namespace outlook
