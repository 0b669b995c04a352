// The real program's command line where there is no display at all: the usage, the version
// and a word it does not know are answered without starting the tray program, whose file the
// command line does not even link.
#include <gtest/gtest.h>

#include <string>

#include "tests/parser/process.h"

namespace {

using sentex::testing::runCommand;
using sentex::testing::shellQuote;

// The program with no display of any kind, as on a server or in a plain terminal.
sentex::testing::ProcessOutput runWithoutDisplay(const std::string& args) {
    return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                      shellQuote(JOTWISE_PROGRAM_PATH) + " " + args);
}

TEST(ProgramCommandLine, HelpAndVersionAnswerWithoutADisplay) {
    const auto help = runWithoutDisplay("--help 2>&1");
    EXPECT_EQ(help.exitCode, 0) << help.out;
    EXPECT_NE(help.out.find("jotwise add"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--autostart on|off"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("needs a desktop"), std::string::npos) << help.out;

    const auto version = runWithoutDisplay("--version 2>&1");
    EXPECT_EQ(version.exitCode, 0) << version.out;
    EXPECT_EQ(version.out, "jotwise " JOTWISE_FILE_VERSION "\n");
}

TEST(ProgramCommandLine, AnUnknownOptionIsRefusedOnStandardErrorWithExitCode2) {
    const auto unknown = runWithoutDisplay("--bogus 2>&1 >/dev/null");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.out.find("'--bogus' is no command or option of jotwise"), std::string::npos)
        << unknown.out;
    EXPECT_EQ(unknown.out.find("needs a desktop"), std::string::npos) << unknown.out;
}

// What the dynamic loader maps for the program, one library a line.
std::string loadedLibraries(const std::string& program) {
    const auto listed = runCommand("ldd " + shellQuote(program) + " 2>&1");
    EXPECT_EQ(listed.exitCode, 0) << listed.out;
    EXPECT_NE(listed.out.find("libc.so"), std::string::npos) << listed.out;
    return listed.out;
}

TEST(ProgramCommandLine, TheCommandLineLinksNoWindowSystem) {
    const std::string libraries = loadedLibraries(JOTWISE_PROGRAM_PATH);
    for (const char* windowing :
         {"libQt", "libX11", "libxcb", "libGL", "libEGL", "libdbus", "libjotwise-tray"})
        EXPECT_EQ(libraries.find(windowing), std::string::npos) << windowing << "\n" << libraries;
}

}  // namespace
