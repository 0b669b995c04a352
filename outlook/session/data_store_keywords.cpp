#include <system_error>

#include "keywords/keywords_line.h"
#include "keywords/keywords_location.h"
#include "outlook/items/contact.h"
#include "outlook/session/data_store.h"
#include "platform/whole_file.h"
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

// A line that would not read back as written (a field with a line break) is left out.
std::string writableLine(const KeywordsLine& line) {
    return keywords::isWritable(line) ? keywords::writeLine(line) : std::string();
}

// Customised items without any keyword of their own are written with an empty keyword,
// so that they stay customised (and get no default keyword) next time.
template <class Cache, class MakeLine>
void writeBareItems(const Cache& cache, std::string& content, MakeLine makeLine) {
    for (const auto& [key, item] : cache)
        if (item->keywordsCustomized && item->keywordCount == 0)
            content += writableLine(makeLine(key));
}

}  // namespace

MessageId TDataStore::LoadKeywords() {
    const fs::path& file = keywordsFileOf(keywordsFile_);
    if (file.empty()) return kKeywordsFileUnknown;
    const platform::WholeFile read = platform::readWholeFile(file);
    if (read.status == platform::WholeFile::Status::Missing) return messages::kNoError;
    if (read.status == platform::WholeFile::Status::Unreadable) {
        // Saving would replace the user's keywords with the defaults: keep away from the file.
        keywordsFileUnreadable_ = file.string() + ": " + read.error;
        lastError_ = keywordsFileUnreadable_;
        return messages::kKeywordsFileUnreadable;
    }

    std::string_view rest = read.content;
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
            // A contact in Deleted Items gets its keywords back if it is restored.
            if (!item) heldContactKeywords_[line.contact].push_back(line);
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
    if (!keywordsFileUnreadable_.empty()) {
        lastError_ = "The file could not be read when Jotwise started, so it is left as it is (" +
                     keywordsFileUnreadable_ + ").";
        return kKeywordsFileNotWritten;
    }
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
            content += writableLine({keyword, project, list, contact});
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
    for (const auto& [key, lines] : heldContactKeywords_)
        if (StillStored(key))
            for (const KeywordsLine& line : lines)
                content += writableLine(line);

    if (!platform::writeFileAtomically(file, content, 0600, nullptr, beforeReplace))
        return kKeywordsFileNotWritten;
    return messages::kNoError;
}

}  // namespace outlook
