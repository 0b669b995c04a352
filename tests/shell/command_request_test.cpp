#include "shell/command_request.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/temp_folder.h"

namespace shell {
namespace {

ProgramCommand parsed(const std::vector<std::string>& args) {
    std::string reason;
    const std::optional<ProgramCommand> command = ParseProgramCommand(args, reason);
    EXPECT_TRUE(command) << reason;
    return command.value_or(ProgramCommand{});
}

TEST(CommandRequest, ANotesWordsBecomeOneLineOfValidText) {
    EXPECT_EQ(parsed({"note"}), (ProgramCommand{CommandKind::Note, ""}));
    EXPECT_EQ(parsed({"note", "lunch", "with ann", "at noon"}).text, "lunch with ann at noon");
    EXPECT_EQ(parsed({"note", "two\nlines\r\n"}).text, "two lines  ");
    EXPECT_EQ(parsed({"note", "caf\xe9"}).text, "caf\xef\xbf\xbd") << "no byte that is not UTF-8";
    EXPECT_EQ(parsed({"quit"}), (ProgramCommand{CommandKind::Quit, ""}));
    EXPECT_FALSE(IsProgramCommand("add"));
    EXPECT_FALSE(IsProgramCommand("Note"));
}

TEST(CommandRequest, EveryCommandComesThroughTheWireAsItWasSent) {
    for (const ProgramCommand& command :
         {ProgramCommand{CommandKind::Note, "call bob; \"pay\" \\ 5\t%s"},
          ProgramCommand{CommandKind::Note, ""}, ProgramCommand{CommandKind::Quit, ""},
          ProgramCommand{CommandKind::Explorer, ""}, ProgramCommand{CommandKind::Keywords, ""}}) {
        const std::string request = EncodeRequest(command);
        ASSERT_EQ(request.find('\n'), request.size() - 1) << "one line";
        EXPECT_EQ(DecodeRequest(std::string_view(request).substr(0, request.size() - 1)), command)
            << request;
    }
    // Text from elsewhere than our own client is made one line of valid text too.
    EXPECT_EQ(DecodeRequest(std::string_view("note\0a\0b\xff", 9)),
              (ProgramCommand{CommandKind::Note, "a b\xef\xbf\xbd"}));
}

TEST(CommandRequest, TheSocketLivesInAFolderOnlyItsUserMayEnter) {
    jotwise::testing::TempFolder runtime("jotwise-runtime");
    ::chmod(runtime.path().c_str(), 0700);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);

    std::string error;
    const std::optional<std::filesystem::path> path = CommandSocketPath(&error);
    ASSERT_TRUE(path) << error;
    EXPECT_EQ(path->parent_path(), runtime.path() / "jotwise");
    struct stat status {};
    ASSERT_EQ(::stat(path->parent_path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    // A folder of that name that others may enter is not used.
    ::chmod(path->parent_path().c_str(), 0755);
    EXPECT_EQ(CommandSocketPath(&error), std::nullopt);
    EXPECT_NE(error.find("only this user may enter"), std::string::npos) << error;

    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

}  // namespace
}  // namespace shell
