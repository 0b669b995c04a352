#include <set>

#include "outlook/items/contact.h"
#include "outlook/session/data_store.h"
#include "platform/text.h"
#include "sentex.h"

namespace outlook {
namespace {

constexpr std::string_view kCategoriesKey = "Software\\Microsoft\\Office\\8.0\\Outlook\\Categories";

std::vector<std::string> splitCategoryNames(const std::string& text) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        // The white space around a name is not part of it: "Business; Calls" lists "Calls", as
        // the keyword store keeps it.
        std::string name(platform::trimmed(std::string_view(text).substr(start, end - start)));
        if (!name.empty() && seen.insert(name).second) names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

}  // namespace

// Outlook keeps its master category list in the registry, per user or for the machine.
// No list at all is not an error: the cached categories stay as they are.
MessageId TDataStore::ReadRegistryCategories(std::optional<std::string>& text) {
    text.reset();
    auto key = platform_.registry.openKey(platform::RegistryRoot::CurrentUser, kCategoriesKey);
    if (!key)
        key = platform_.registry.openKey(platform::RegistryRoot::LocalMachine, kCategoriesKey);
    if (!key) return messages::kNoError;
    const auto value = key->queryValue("");
    if (!value || value->type != platform::RegistryType::String)
        return messages::kCategoriesUnreadable;
    text = value->text;
    return messages::kNoError;
}

void TDataStore::SynchroniseCategories(const std::optional<std::string>& text) {
    if (!text) return;
    const std::vector<std::string> names = splitCategoryNames(*text);
    const std::set<std::string> listed(names.begin(), names.end());
    for (auto it = categories_.begin(); it != categories_.end();) {
        const TCategory& category = *it->second;
        const bool keptByKeywords = category.keywordsCustomized && category.keywordCount != 0;
        if (listed.count(it->first) || keptByKeywords) {
            ++it;
            continue;
        }
        Prs_DeleteList(it->first.c_str());
        it = categories_.erase(it);
    }
    for (const auto& name : names)
        if (!categories_.count(name)) AddCategory(std::make_unique<TCategory>(name));
}

MessageId TDataStore::RefreshCategories() {
    try {
        std::optional<std::string> text;
        if (const MessageId id = ReadRegistryCategories(text)) return id;
        SynchroniseCategories(text);
        RegisterCategoryKeywords();
        return messages::kNoError;
    } catch (const std::bad_alloc&) {
        return messages::kOutOfMemory;
    }
}

}  // namespace outlook
