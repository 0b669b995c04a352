#include <fstream>
#include <iterator>
#include <system_error>

#include "keywords/keywords_line.h"
#include "keywords/keywords_location.h"
#include "outlook/items/contact.h"
#include "outlook/session/data_store.h"
#include "sentex.h"

namespace outlook {
namespace {

namespace fs = std::filesystem;
using keywords::KeywordsLine;

using messages::kKeywordsFileNotWritten;
using messages::kKeywordsFileUnknown;

const fs::path& keywordsFileOf(std::optional<fs::path>& chosen) {
    if (!chosen) chosen = keywords::defaultKeywordsFile();
    return *chosen;
}

// The file's bytes, or nothing when it cannot be opened or read (a folder in its place,
// an I/O error): either way there is nothing to load.
std::optional<std::string> readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    try {
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

// Customised items without any keyword of their own are written with an empty keyword,
// so that they stay customised (and get no default keyword) next time.
template <class Cache, class MakeLine>
void writeBareItems(const Cache& cache, std::string& content, MakeLine makeLine) {
    for (const auto& [key, item] : cache)
        if (item->keywordsCustomized && item->keywordCount == 0)
            content += keywords::writeLine(makeLine(key));
}

}  // namespace

MessageId TDataStore::LoadKeywords() {
    const fs::path& file = keywordsFileOf(keywordsFile_);
    if (file.empty()) return kKeywordsFileUnknown;
    const std::optional<std::string> content = readWhole(file);
    if (!content) return messages::kNoError;

    std::string_view rest = *content;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
        const KeywordsLine line = keywords::splitLine(rest.substr(0, length));
        rest.remove_prefix(length);

        TItem* item = nullptr;
        if (!line.project.empty()) {
            item = FindFolder(line.project);
        } else if (!line.list.empty()) {
            item = FindCategory(line.list);
            // A category the user gave keywords to outlives its removal from Outlook's list.
            if (!item) {
                auto category = std::make_unique<TCategory>(line.list);
                item = category.get();
                AddCategory(std::move(category));
            }
        } else if (!line.contact.empty()) {
            item = FindContact(line.contact);
        }
        if (!item) continue;

        item->keywordsCustomized = true;
        if (line.keyword.empty()) continue;
        if (Prs_AddAlias(line.keyword.c_str(), line.list.c_str(), line.project.c_str(),
                         line.contact.c_str()) == 1)
            ++item->keywordCount;
    }
    return messages::kNoError;
}

MessageId TDataStore::SaveKeywords(const platform::BeforeReplaceHook& beforeReplace) {
    const fs::path& file = keywordsFileOf(keywordsFile_);
    if (file.empty()) return kKeywordsFileUnknown;
    // The folder is made when the program is installed; saving never makes it.
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code error;
    if (!fs::is_directory(folder, error)) return kKeywordsFileNotWritten;

    std::string content;
    char keyword[SENTEX_TEXT_SLOT], list[SENTEX_TEXT_SLOT], project[SENTEX_TEXT_SLOT],
        contact[SENTEX_TEXT_SLOT];
    for (std::int32_t found = Prs_GetFirstAlias(keyword, list, project, contact); found == 1;
         found = Prs_GetNextAlias(keyword, list, project, contact)) {
        const TItem* item = project[0]   ? static_cast<const TItem*>(FindFolder(project))
                            : list[0]    ? static_cast<const TItem*>(FindCategory(list))
                            : contact[0] ? static_cast<const TItem*>(FindContact(contact))
                                         : nullptr;
        if (item && item->keywordsCustomized)
            content += keywords::writeLine({keyword, project, list, contact});
    }
    writeBareItems(folders_, content, [](const std::string& kind) {
        return KeywordsLine{"", kind, "", ""};
    });
    writeBareItems(categories_, content, [](const std::string& name) {
        return KeywordsLine{"", "", name, ""};
    });
    writeBareItems(contacts_, content, [](const std::string& key) {
        return KeywordsLine{"", "", "", key};
    });

    if (!platform::writeFileAtomically(file, content, 0600, nullptr, beforeReplace))
        return kKeywordsFileNotWritten;
    return messages::kNoError;
}

}  // namespace outlook
