#include "outlook/local/category_list.h"

#include "outlook/local/store/store.h"
#include "platform/text.h"

namespace outlook::local {

std::vector<std::string> masterCategories(platform::Registry& registry) {
    for (const auto root :
         {platform::RegistryRoot::CurrentUser, platform::RegistryRoot::LocalMachine}) {
        const auto key = registry.openKey(root, kCategoriesKey);
        if (!key) continue;
        const auto value = key->queryValue("");
        if (value && value->type == platform::RegistryType::String)
            return splitCategories(value->text);
    }
    return {};
}

std::vector<std::string> splitCategories(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(";,", start);
        if (end == std::string::npos) end = text.size();
        const std::string_view name =
            platform::trimmed(std::string_view(text).substr(start, end - start));
        if (!name.empty()) names.emplace_back(name);
        start = end + 1;
    }
    return names;
}

std::string joinCategories(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : "; ") + name;
    return text;
}

}  // namespace outlook::local
