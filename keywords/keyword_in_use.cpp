#include "keywords/keyword_in_use.h"

#include <vector>

#include "outlook/items/contact.h"
#include "outlook/items/item.h"
#include "outlook/session/data_store.h"
#include "sentex.h"

namespace keywords {

std::string KeywordInUse(const outlook::TDataStore& store, const std::string& text) {
    char wanted[SENTEX_TEXT_SLOT];
    if (Prs_FilterAlias(text.c_str(), wanted) != 1 || Prs_IsAlias(wanted) != 1) return {};

    char keyword[SENTEX_TEXT_SLOT], list[SENTEX_TEXT_SLOT], project[SENTEX_TEXT_SLOT],
        contact[SENTEX_TEXT_SLOT];
    std::vector<std::string> owners;
    for (std::int32_t found = Prs_GetFirstAlias(keyword, list, project, contact); found == 1;
         found = Prs_GetNextAlias(keyword, list, project, contact)) {
        if (std::string(keyword) != wanted) continue;
        // A keyword names up to three things; each is told by the name the user knows it by.
        if (*list) owners.push_back("the category " + std::string(list));
        if (*project) {
            const outlook::TFolder* folder = store.FindFolder(project);
            owners.push_back("the folder " + (folder ? folder->DisplayName() : project));
        }
        if (*contact) {
            const outlook::TContact* person = store.FindContact(contact);
            owners.push_back(person ? "the contact " + person->FileAs() : "a contact");
        }
        break;
    }
    std::string said = "'" + std::string(wanted) + "' is already ";
    if (owners.empty()) return said + "a keyword.";
    said += "the keyword of ";
    for (std::size_t i = 0; i < owners.size(); ++i) {
        if (i > 0) said += i + 1 == owners.size() ? " and " : ", ";
        said += owners[i];
    }
    return said + ".";
}

}  // namespace keywords
