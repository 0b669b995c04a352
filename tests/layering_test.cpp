#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool isUnderUiFolder(const fs::path& relative) {
    for (const auto& part : relative.parent_path())
        if (part == "ui") return true;
    return false;
}

// The program's logic builds without Qt: only files in a ui/ folder may include it.
TEST(Layering, OnlyUiFoldersIncludeQt) {
    const fs::path root = JOTWISE_SOURCE_DIR;
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt)[^>"]*[>"])");
    std::vector<std::string> offenders;
    std::size_t checked = 0;
    for (const char* folder : {"notes", "outlook", "keywords", "shell", "platform"}) {
        if (!fs::exists(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
            const fs::path relative = fs::relative(entry.path(), root);
            if (isUnderUiFolder(relative)) continue;
            ++checked;
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);)
                if (std::regex_search(line, qtInclude)) offenders.push_back(relative.string());
        }
    }
    EXPECT_GT(checked, 0u);
    EXPECT_TRUE(offenders.empty())
        << "Qt included outside ui/: " << ::testing::PrintToString(offenders);
}

}  // namespace
