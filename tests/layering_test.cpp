// The architecture as a table: which of the project's folders each folder may include.
// A wrong arrow fails here instead of being noticed in review.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The Outlook interfaces everything of the bridge, and the local store behind them, share,
// with the object model's recurrence pattern as plain values.
const std::vector<std::string> kOutlookInterfaces = {"outlook/automation.h", "outlook/mapi.h",
                                                     "outlook/object_model.h", "outlook/ole_date.h",
                                                     "outlook/recurrence/"};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Rule {
    std::string folder;                   // the files this rule is for ("outlook/items/")
    std::vector<std::string> mayInclude;  // folders ("platform/") or single files
};

// Longest folder first decides; a ui/ folder may also include its parent's rules' ui/ folders.
const std::vector<Rule>& rules() {
    static const std::vector<std::string> library = {"include/", "parser/", "aliases/"};
    static const std::vector<std::string> base = {"platform/", "messages/"};
    static const std::vector<std::string> bridge =
        with(with(kOutlookInterfaces, base), {"outlook/items/"});
    static const std::vector<std::string> session =
        with(bridge, {"outlook/session/", "keywords/keywords_line.h",
                      "keywords/keywords_location.h", "include/"});
    static const std::vector<std::string> aboveSession =
        with(session, {"outlook/recipients/", "keywords/"});
    static const std::vector<Rule> table = {
        {"include/", library},
        {"parser/", library},
        {"aliases/", library},
        {"platform/", {"platform/"}},
        {"messages/", base},
        {"outlook/", with(kOutlookInterfaces, base)},
        {"outlook/items/", bridge},
        {"outlook/session/", session},
        {"outlook/recipients/", with(session, {"outlook/recipients/"})},
        {"outlook/local/", with(with(kOutlookInterfaces, base), {"outlook/local/"})},
        // The store only offers its change observer: the mirror is attached by whoever opens it.
        {"outlook/local/store/",
         with(with(kOutlookInterfaces, base), {"outlook/local/store/", "outlook/local/sqlite/"})},
        // The desktop module links EDS and nothing of the program: it shares only the headers
        // of the interface between them.
        {"outlook/local/desktop/eds/",
         {"outlook/local/desktop/address_book_module.h", "outlook/local/desktop/desktop_calendar.h",
          "outlook/local/desktop/desktop_module.h"}},
        {"keywords/", aboveSession},
        {"notes/", with(aboveSession, {"notes/"})},
        {"shell/", with(aboveSession, {"notes/", "shell/"})},
        // The program's two starts pick the local store, so only they see it: the tray
        // program with the shell's windows, and the command line.
        {"shell/ui/", with(aboveSession, {"notes/", "shell/", "outlook/local/"})},
        {"shell/cli/", with(aboveSession, {"notes/", "shell/", "outlook/local/"})},
    };
    return table;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool isUiFolder(const std::string& path) {
    return path.find("/ui/") != std::string::npos;
}

const Rule* ruleFor(const std::string& file) {
    const Rule* best = nullptr;
    for (const Rule& rule : rules())
        if (startsWith(file, rule.folder) && (!best || rule.folder.size() > best->folder.size()))
            best = &rule;
    return best;
}

// Whether `file` may include `target` (both relative to the source root).
bool allowed(const std::string& file, const std::string& target) {
    const Rule* rule = ruleFor(file);
    if (!rule) return true;
    for (const std::string& entry : rule->mayInclude) {
        const bool folder = entry.back() == '/';
        if (folder ? startsWith(target, entry) : target == entry) {
            // Windows are included only by windows.
            if (isUiFolder(target) && !isUiFolder(file)) return false;
            return true;
        }
    }
    return false;
}

// The project file an include names: beside the including file, from the root, or from
// include/; nothing when it is no file of ours.
std::optional<std::string> resolve(const fs::path& root, const fs::path& file,
                                   const std::string& name) {
    for (const fs::path& base : {file.parent_path(), root, root / "include"}) {
        const fs::path candidate = (base / name).lexically_normal();
        if (fs::exists(candidate)) return fs::relative(candidate, root).generic_string();
    }
    return std::nullopt;
}

std::vector<fs::path> sourcesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    for (const char* top : {"include", "parser", "aliases", "platform", "messages", "outlook",
                            "keywords", "notes", "shell"}) {
        if (!fs::exists(root / top)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const auto ext = entry.path().extension();
            if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp")) files.push_back(entry);
        }
    }
    return files;
}

TEST(Layering, EveryIncludeFollowsTheFolderTable) {
    const fs::path root = JOTWISE_SOURCE_DIR;
    const std::regex projectInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> offenders;
    std::size_t checked = 0;
    for (const fs::path& path : sourcesUnder(root)) {
        const std::string file = fs::relative(path, root).generic_string();
        std::ifstream in(path);
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (!std::regex_search(line, match, projectInclude)) continue;
            const auto target = resolve(root, path, match[1]);
            if (!target) continue;
            ++checked;
            if (!allowed(file, *target)) offenders.push_back(file + " -> " + *target);
        }
    }
    EXPECT_GT(checked, 100u);
    EXPECT_TRUE(offenders.empty()) << "includes against the folder table:\n"
                                   << ::testing::PrintToString(offenders);
}

TEST(Layering, TheTableRefusesTheArrowsItExistsFor) {
    EXPECT_TRUE(allowed("outlook/session/data_store.h", "outlook/items/contact.h"));
    EXPECT_FALSE(allowed("outlook/items/contact.cpp", "outlook/session/data_store.h"));
    EXPECT_FALSE(allowed("outlook/items/item.h", "shell/settings.h"));
    EXPECT_FALSE(allowed("outlook/session/data_store.cpp", "outlook/local/local_outlook.h"));
    EXPECT_FALSE(allowed("outlook/local/store/store.cpp", "outlook/items/item.h"));
    EXPECT_TRUE(allowed("outlook/local/store/store.cpp", "outlook/object_model.h"));
    EXPECT_FALSE(allowed("outlook/local/store/store.cpp", "outlook/local/mirror/mirror_setting.h"));
    EXPECT_TRUE(allowed("outlook/local/mirror/mirror.cpp", "outlook/local/store/store.h"));
    EXPECT_FALSE(allowed("platform/registry.h", "messages/messages.h"));
    EXPECT_FALSE(allowed("parser/parse.cpp", "platform/locale.h"));
    EXPECT_FALSE(allowed("shell/settings.cpp", "outlook/local/local_outlook.h"));
    EXPECT_TRUE(allowed("shell/ui/tray_program.cpp", "outlook/local/local_outlook.h"));
    EXPECT_TRUE(allowed("shell/cli/local_quick_add.cpp", "outlook/local/local_outlook.h"));
    EXPECT_FALSE(allowed("shell/cli/main.cpp", "shell/ui/tray_program.h"));
    EXPECT_FALSE(
        allowed("outlook/local/address_picker.h", "outlook/local/ui/address_book_dialog.h"));
    EXPECT_TRUE(
        allowed("outlook/local/ui/address_book_dialog.h", "outlook/local/address_picker.h"));
    EXPECT_FALSE(allowed("messages/error_box.cpp", "tests/support/temp_folder.h"));
    EXPECT_FALSE(allowed("outlook/local/desktop/eds/eds_calendar.cpp",
                         "outlook/local/mirror/mirror_names.h"));
}

// The program's logic builds without Qt: only files in a ui/ folder may include it.
TEST(Layering, OnlyUiFoldersIncludeQt) {
    const fs::path root = JOTWISE_SOURCE_DIR;
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt)[^>"]*[>"])");
    std::vector<std::string> offenders;
    std::size_t checked = 0;
    for (const fs::path& path : sourcesUnder(root)) {
        const std::string file = fs::relative(path, root).generic_string();
        if (isUiFolder(file)) continue;
        ++checked;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, qtInclude)) offenders.push_back(file);
    }
    EXPECT_GT(checked, 0u);
    EXPECT_TRUE(offenders.empty())
        << "Qt included outside ui/: " << ::testing::PrintToString(offenders);
}

// GLib's headers have a struct member named `signals`, which Qt defines as a keyword: they stay
// in the desktop module's own folder.
TEST(Layering, OnlyTheDesktopModuleIncludesGLib) {
    const fs::path root = JOTWISE_SOURCE_DIR;
    const std::regex glibInclude(
        R"(^\s*#\s*include\s*<(glib|gio|libecal|libebook|libedataserver|libical-glib)[/.-])");
    std::vector<std::string> offenders;
    for (const fs::path& path : sourcesUnder(root)) {
        const std::string file = fs::relative(path, root).generic_string();
        if (startsWith(file, "outlook/local/desktop/eds/")) continue;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, glibInclude)) offenders.push_back(file);
    }
    EXPECT_TRUE(offenders.empty())
        << "GLib included outside the desktop module: " << ::testing::PrintToString(offenders);
}

}  // namespace
