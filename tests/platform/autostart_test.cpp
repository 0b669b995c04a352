#include "platform/autostart.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using jotwise::testing::TempFolder;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Whether desktop-file-validate accepts the file; the tool comes with desktop-file-utils.
::testing::AssertionResult validDesktopEntry(const fs::path& file) {
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0)
        return ::testing::AssertionFailure()
               << "desktop-file-validate is missing: run scripts/install-deps.sh";
    const std::string command = "desktop-file-validate '" + file.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (::pclose(pipe) == 0 && output.empty()) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << output;
}

TEST(Autostart, TheFolderFollowsTheBaseDirectoryRules) {
    EXPECT_EQ(autostartFolder("/x/config", "/home/ann"), fs::path("/x/config/autostart"));
    EXPECT_EQ(autostartFolder(nullptr, "/home/ann"), fs::path("/home/ann/.config/autostart"));
    // A relative or empty value counts as unset.
    EXPECT_EQ(autostartFolder("config", "/home/ann"), fs::path("/home/ann/.config/autostart"));
    EXPECT_EQ(autostartFolder("", "/home/ann"), fs::path("/home/ann/.config/autostart"));
    EXPECT_EQ(autostartFolder(nullptr, nullptr), fs::path());
}

TEST(Autostart, ExecArgumentsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(desktopExecArgument("/usr/bin/jotwise"), "/usr/bin/jotwise");
    EXPECT_EQ(desktopExecArgument("/opt/My Apps/jotwise"), "\"/opt/My Apps/jotwise\"");
    // In the file a quoted backslash takes four, a dollar sign two.
    EXPECT_EQ(desktopExecArgument("/a$b\\c"), "\"/a\\\\$b\\\\\\\\c\"");
    EXPECT_EQ(desktopExecArgument("/tmp/100%/jotwise"), "/tmp/100%%/jotwise");
    EXPECT_EQ(desktopExecArgument("/it's/\"here\""), "\"/it's/\\\\\"here\\\\\"\"");
}

TEST(Autostart, OnWritesAnEntryThatStartsTheProgramAndOffRemovesIt) {
    const TempFolder temp;
    const fs::path folder = temp.path() / "config" / "autostart";
    const fs::path program = temp.path() / "Jotwise Apps" / "bin" / "jotwise";
    std::string error;
    ASSERT_TRUE(setAutostart(true, folder, program, error)) << error;
    const fs::path entry = folder / "jotwise.desktop";
    const std::string text = contentOf(entry);
    EXPECT_NE(text.find("\nExec=\"" + program.string() + "\"\n"), std::string::npos) << text;
    EXPECT_TRUE(validDesktopEntry(entry));
    struct stat info {};
    ASSERT_EQ(::stat(entry.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    // On again replaces it; off removes it, and off again is no failure.
    ASSERT_TRUE(setAutostart(true, folder, "/usr/bin/jotwise", error)) << error;
    EXPECT_NE(contentOf(entry).find("\nExec=/usr/bin/jotwise\n"), std::string::npos);
    ASSERT_TRUE(setAutostart(false, folder, program, error)) << error;
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_TRUE(setAutostart(false, folder, program, error)) << error;
}

TEST(Autostart, FailuresSayWhy) {
    const TempFolder temp;
    // A file where the folder should be: not even root can write below it.
    std::ofstream(temp.path() / "autostart") << "in the way";
    std::string error;
    EXPECT_FALSE(setAutostart(true, temp.path() / "autostart", "/usr/bin/jotwise", error));
    EXPECT_NE(error.find("jotwise.desktop"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(setAutostart(true, fs::path(), "/usr/bin/jotwise", error));
    EXPECT_NE(error.find("XDG_CONFIG_HOME"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(setAutostart(true, temp.path() / "ok", fs::path(), error));
    EXPECT_FALSE(error.empty());
}

TEST(Autostart, TheRunningProgramIsEnteredInTheUsersFolder) {
    const TempFolder temp;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", temp.path().c_str(), 1);
    std::string error;
    const bool written = setAutostart(true, error);
    const std::string text = contentOf(temp.path() / "autostart" / "jotwise.desktop");
    if (saved)
        ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(written) << error;
    EXPECT_NE(text.find("Exec=" + desktopExecArgument(fs::read_symlink("/proc/self/exe").string())),
              std::string::npos)
        << text;
}

TEST(Autostart, TheSwitchTakesOnAndOff) {
    EXPECT_EQ(autostartSwitch("on"), true);
    EXPECT_EQ(autostartSwitch("OFF"), false);
    EXPECT_EQ(autostartSwitch("yes"), std::nullopt);
    EXPECT_EQ(autostartSwitch(""), std::nullopt);
}

}  // namespace
}  // namespace platform
