#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using jotwise::testing::TempFolder;

const fs::path kPackaging = JOTWISE_PACKAGING_DIR;
constexpr std::array kIconSizes = {16, 24, 32, 48, 64, 128, 256};
#ifdef JOTWISE_INSTALLS_PROGRAM
constexpr bool kWithProgram = true;
#else
constexpr bool kWithProgram = false;
#endif

struct Outcome {
    int status = -1;
    std::string output;
};

// Runs a shell command line, its standard error joined to its output.
Outcome run(const std::string& command) {
    Outcome result;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            result.output += buffer;
        result.status = ::pclose(pipe);
    }
    return result;
}

std::string quoted(const fs::path& path) {
    std::string text = "'";
    for (char c : path.string())
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

::testing::AssertionResult validDesktopEntry(const fs::path& file) {
    if (run("command -v desktop-file-validate").status != 0)
        return ::testing::AssertionFailure()
               << "desktop-file-validate is missing: run scripts/install-deps.sh";
    const Outcome check = run("desktop-file-validate " + quoted(file));
    if (check.status == 0 && check.output.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << check.output;
}

// The width and height a PNG file declares in its header.
std::pair<std::uint32_t, std::uint32_t> pngSize(const fs::path& file) {
    const std::string bytes = contentOf(file);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    const auto number = [&](std::size_t at) {
        std::uint32_t n = 0;
        for (std::size_t i = 0; i < 4; ++i)
            n = (n << 8) | static_cast<unsigned char>(bytes[at + i]);
        return n;
    };
    return {number(16), number(20)};
}

TEST(Packaging, TheMenuEntryIsValid) {
    EXPECT_TRUE(validDesktopEntry(kPackaging / "jotwise.desktop"));
}

TEST(Packaging, EachIconIsDrawnAtTheSizeItsNameSays) {
    EXPECT_TRUE(fs::is_regular_file(kPackaging / "icons" / "jotwise.svg"));
    for (int size : kIconSizes) {
        const auto file = kPackaging / "icons" / ("jotwise-" + std::to_string(size) + ".png");
        const auto [width, height] = pngSize(file);
        EXPECT_EQ(width, static_cast<std::uint32_t>(size)) << file;
        EXPECT_EQ(height, static_cast<std::uint32_t>(size)) << file;
    }
}

TEST(Packaging, InstallingPutsEverythingInPlaceAndTheProgramsRun) {
    const TempFolder temp;
    // A blank in the prefix, as in "/opt/My Programs", must not break anything.
    const fs::path prefix = temp.path() / "prefix with blank";
    std::string command = JOTWISE_CMAKE_COMMAND;
    command += " --install ";
    command += quoted(JOTWISE_BUILD_DIR);
    command += " --prefix ";
    command += quoted(prefix);
    const Outcome install = run(command);
    ASSERT_EQ(install.status, 0) << install.output;

    const fs::path bin = prefix / "bin";
    std::vector<fs::path> expected = {bin / "sentex-parse", bin / "jotwise-store",
                                      bin / "sentex.ini", prefix / "lib" / "libsentex.so"};
    if (kWithProgram) {
        expected.push_back(bin / "jotwise");
        expected.push_back(prefix / "lib/jotwise/libjotwise-tray.so");
        expected.push_back(bin / "Jotwise for MS Outlook.html");
        expected.push_back(prefix / "share/applications/jotwise.desktop");
        expected.push_back(prefix / "share/icons/hicolor/scalable/apps/jotwise.svg");
        for (int size : kIconSizes) {
            const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
            const fs::path icon = prefix / "share/icons/hicolor" / dimension / "apps/jotwise.png";
            expected.push_back(icon);
            EXPECT_EQ(pngSize(icon).first, static_cast<std::uint32_t>(size)) << icon;
        }
    }
    for (const fs::path& file : expected)
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
    EXPECT_TRUE(fs::is_directory(prefix / "Jotwise Data"));
    EXPECT_TRUE(fs::is_empty(prefix / "Jotwise Data"));

    // The programs find every library, the parser the installed one and not the build's.
    // `jotwise` carries the parser in itself; the tray program's file loads the installed one.
    const fs::path trayFile = prefix / "lib/jotwise/libjotwise-tray.so";
    std::vector<std::pair<fs::path, std::string>> programs = {
        {bin / "jotwise-store", ""}, {bin / "sentex-parse", bin.string() + "/../lib/libsentex.so"}};
    if (kWithProgram) {
        programs.push_back({bin / "jotwise", ""});
        programs.push_back({trayFile, trayFile.parent_path().string() + "/../libsentex.so"});
    }
    for (const auto& [program, parser] : programs) {
        const Outcome libraries = run("env -u LD_LIBRARY_PATH ldd " + quoted(program));
        EXPECT_EQ(libraries.output.find("not found"), std::string::npos) << libraries.output;
        if (parser.empty()) continue;
        EXPECT_NE(libraries.output.find("libsentex.so => " + parser), std::string::npos)
            << libraries.output;
    }
    const Outcome help = run("env -u LD_LIBRARY_PATH " + quoted(bin / "jotwise-store") + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_NE(help.output.find("Usage: jotwise-store"), std::string::npos) << help.output;
    // The installed sentex.ini is all comments: the parser keeps its own words.
    const Outcome parse =
        run("env -u LD_LIBRARY_PATH " + quoted(bin / "sentex-parse") + " 'lunch at noon'");
    EXPECT_EQ(parse.status, 0) << parse.output;
    EXPECT_NE(parse.output.find("startTime: 12:0\n"), std::string::npos) << parse.output;

    if (!kWithProgram) return;
    // Without a display the installed program still loads its tray program's file, which
    // then says what it needs.
    const Outcome tray =
        run("env -u LD_LIBRARY_PATH -u DISPLAY -u WAYLAND_DISPLAY "
            "-u QT_QPA_PLATFORM " +
            quoted(bin / "jotwise"));
    EXPECT_EQ(WEXITSTATUS(tray.status), 2) << tray.output;
    EXPECT_NE(tray.output.find("the tray program needs a desktop"), std::string::npos)
        << tray.output;
    const fs::path entry = prefix / "share/applications/jotwise.desktop";
    EXPECT_TRUE(validDesktopEntry(entry));
    const std::string text = contentOf(entry);
    EXPECT_NE(text.find("\nExec=\"" + (bin / "jotwise").string() + "\"\n"), std::string::npos)
        << text;
    EXPECT_EQ(contentOf(bin / "Jotwise for MS Outlook.html"),
              contentOf(fs::path(JOTWISE_PACKAGING_DIR).parent_path() / "help" /
                        "Jotwise for MS Outlook.html"));
}

#ifdef JOTWISE_INSTALLS_PROGRAM
TEST(Packaging, TheHelpPageSitsBesideTheProgramInTheBuildFolder) {
    const fs::path program = JOTWISE_PROGRAM_PATH;
    const fs::path source = kPackaging.parent_path() / "help" / "Jotwise for MS Outlook.html";
    const fs::path copy = program.parent_path() / "Jotwise for MS Outlook.html";
    ASSERT_TRUE(fs::is_regular_file(copy)) << copy;
    EXPECT_EQ(contentOf(copy), contentOf(source));
}
#endif

}  // namespace
