#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static unsigned modeOf(const fs::path& path) {
        struct stat status {};
        EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
        return status.st_mode & 07777;
    }
    static std::vector<std::string> namesIn(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    jotwise::testing::TempFolder temp_{"jotwise-atomic"};
    const fs::path dir_ = temp_.path();
};

TEST_F(AtomicFile, CreatesFoldersAndReplacesTheFileWhole) {
    const fs::path target = dir_ / "a" / "b" / "settings.reg";
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "first version, long", 0600, &error)) << error;
    EXPECT_EQ(read(target), "first version, long");
    EXPECT_EQ(modeOf(target), 0600u);
    EXPECT_EQ(modeOf(dir_ / "a"), 0700u);
    EXPECT_EQ(modeOf(dir_ / "a" / "b"), 0700u);

    ASSERT_TRUE(writeFileAtomically(target, std::string("short\0", 6), 0644, &error)) << error;
    EXPECT_EQ(read(target), std::string("short\0", 6));
    EXPECT_EQ(modeOf(target), 0644u);
    EXPECT_EQ(namesIn(target.parent_path()), std::vector<std::string>{"settings.reg"});
}

TEST_F(AtomicFile, CrashBeforeRenameLeavesOldFileAndOnlyAStrayTemporary) {
    const fs::path target = dir_ / "keywords.txt";
    ASSERT_TRUE(writeFileAtomically(target, "old"));

    fs::path temporary;
    std::string error;
    EXPECT_FALSE(writeFileAtomically(target, "new", 0600, &error, [&](const fs::path& t) {
        temporary = t;
        return false;
    }));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(read(target), "old");
    ASSERT_EQ(temporary.parent_path().string(), dir_.string());
    EXPECT_EQ(read(temporary), "new");
    EXPECT_EQ(temporary.filename().string().front(), '.');
    EXPECT_EQ(namesIn(dir_).size(), 2u);
    // What it was for can be told from its name, so that it can be cleared away.
    EXPECT_EQ(targetOfTemporaryName(temporary.filename().string()), "keywords.txt");
    for (const char* name : {"keywords.txt", ".keywords.txt", ".tmp-a1B2c3", ".x.tmp-a1B2c"})
        EXPECT_EQ(targetOfTemporaryName(name), std::nullopt) << name;

    // A hook that throws stands for the same crash; the exception passes on.
    EXPECT_THROW(
        writeFileAtomically(target, "newer", 0600, nullptr,
                            [](const fs::path&) -> bool { throw std::runtime_error("x"); }),
        std::runtime_error);
    EXPECT_EQ(read(target), "old");
    EXPECT_EQ(namesIn(dir_).size(), 3u);

    // The stray temporaries do not get in the way of the next write.
    ASSERT_TRUE(writeFileAtomically(target, "newest"));
    EXPECT_EQ(read(target), "newest");
}

TEST_F(AtomicFile, FailureLeavesTargetAndFolderUntouched) {
    // A regular file where a folder should be: no folder can be made below it.
    const fs::path blocker = dir_ / "config";
    ASSERT_TRUE(writeFileAtomically(blocker, "not a folder"));
    std::string error;
    EXPECT_FALSE(writeFileAtomically(blocker / "jotwise" / "file.reg", "x", 0600, &error));
    EXPECT_NE(error.find("config"), std::string::npos) << error;
    EXPECT_EQ(read(blocker), "not a folder");

    // A folder in the target's place: the rename fails and the temporary is removed.
    const fs::path occupied = dir_ / "occupied";
    fs::create_directory(occupied);
    fs::create_directory(occupied / "inside");
    EXPECT_FALSE(writeFileAtomically(occupied, "x", 0600, &error));
    EXPECT_TRUE(fs::is_directory(occupied / "inside"));
    EXPECT_EQ(namesIn(dir_).size(), 2u);
}

TEST_F(AtomicFile, DeferredWritesReplaceAsWholeAndAreSyncedTogether) {
    const fs::path target = dir_ / "mirror" / "item.ics";
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "old", 0600, &error, {}, Durability::Deferred))
        << error;
    bool hookRan = false;
    const auto hook = [&](const fs::path&) { return hookRan = true; };
    ASSERT_TRUE(writeFileAtomically(target, "new", 0640, &error, hook, Durability::Deferred))
        << error;
    EXPECT_TRUE(hookRan);
    EXPECT_EQ(read(target), "new");
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(namesIn(target.parent_path()), std::vector<std::string>{"item.ics"});
    EXPECT_TRUE(syncFileSystem(target.parent_path(), &error)) << error;
    EXPECT_FALSE(syncFileSystem(dir_ / "missing", &error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

}  // namespace
}  // namespace platform
