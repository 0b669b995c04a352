// The real `jotwise add` program: exit codes, and two processes filing into one store at once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/parser/process.h"
#include "tests/support/temp_folder.h"

namespace {

using sentex::testing::runCommand;
using sentex::testing::shellQuote;

class QuickAddProgram : public ::testing::Test {
protected:
    // The program and the store tool, with a profile of their own.
    std::string run(const std::string& program, const std::string& args,
                    bool unprivileged = false) const {
        // As root, "unprivileged" runs it as nobody, whom file permissions bind.
        const std::string asUser = unprivileged && ::geteuid() == 0
                                       ? "setpriv --reuid=65534 --regid=65534 --clear-groups "
                                       : "";
        return "XDG_CONFIG_HOME=" + shellQuote((temp.path() / "config").string()) +
               " XDG_DATA_HOME=" + shellQuote((temp.path() / "data").string()) + " " + asUser +
               shellQuote(program) + " " + args;
    }
    std::string add(const std::string& args, bool unprivileged = false) const {
        return run(JOTWISE_PROGRAM_PATH, "add " + args, unprivileged);
    }
    std::string store(const std::string& args) const { return run(JOTWISE_STORE_PATH, args); }

    jotwise::testing::TempFolder temp{"jotwise-add"};
};

TEST_F(QuickAddProgram, ExitCodesTellHowItWent) {
    ASSERT_EQ(
        runCommand(store("add-contact --first Ann --last Lee --email ann@example.com")).exitCode,
        0);
    const auto filed = runCommand(add("--json lunch with ann lee tomorrow at noon"));
    EXPECT_EQ(filed.exitCode, 0);
    EXPECT_NE(filed.out.find("\"type\":\"Appointment\""), std::string::npos) << filed.out;
    EXPECT_NE(filed.out.find("\"contact\":\"Ann Lee\""), std::string::npos) << filed.out;
    EXPECT_EQ(runCommand(add("2>/dev/null")).exitCode, 2);
    EXPECT_EQ(runCommand(add("--to Nobody call 2>/dev/null")).exitCode, 2);
    EXPECT_NE(runCommand(store("items Calendar")).out.find("\tlunch with ann lee tomorrow at noon"),
              std::string::npos);
}

TEST_F(QuickAddProgram, TwoProcessesFileIntoOneStoreAtOnce) {
    ASSERT_EQ(runCommand(store("folders >/dev/null")).exitCode, 0);  // the store exists
    std::string both = "(";
    for (const char* who : {"first", "second"})
        both += "(for i in 1 2 3 4 5 6 7 8; do " +
                add(std::string("task ") + who + " $i >/dev/null || echo FAILED; ") + "done) & ";
    both += "wait)";
    const auto result = runCommand(both);
    EXPECT_EQ(result.out.find("FAILED"), std::string::npos) << result.out;
    const std::string tasks = runCommand(store("items Tasks")).out;
    std::size_t count = 0;
    for (std::size_t at = tasks.find("IPM.Task"); at != std::string::npos;
         at = tasks.find("IPM.Task", at + 1))
        ++count;
    EXPECT_EQ(count, 16u) << tasks;
}

TEST_F(QuickAddProgram, AnUnusableCommandLineLeavesAFreshProfileUntouched) {
    for (const char* args : {"--frobnicate x", "x --frobnicate", "--type", "--cc 'Ann Lee' x",
                             "--attach /nonexistent x"}) {
        const auto refused = runCommand(add(std::string(args) + " 2>&1"));
        EXPECT_EQ(refused.exitCode, 2) << args << "\n" << refused.out;
    }
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "data")) << "no store was made";
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "config")) << "no settings were written";
}

TEST_F(QuickAddProgram, AStoreThatCannotBeWrittenEndsWithItsReasonNotACrash) {
    ASSERT_EQ(runCommand(store("add-contact --first Ann --last Lee >/dev/null")).exitCode, 0);
    ASSERT_EQ(runCommand("chmod -R a+rwX " + shellQuote(temp.path().string())).exitCode, 0);
    const std::filesystem::path db = temp.path() / "data" / "jotwise" / "outlook.db";
    ::chmod(db.c_str(), 0444);
    const auto result = runCommand(add("lunch with ann lee tomorrow at noon 2>&1", true));
    EXPECT_EQ(result.exitCode, 1) << result.out;
    EXPECT_NE(result.out.find("An error occurred while attempting to save changes to an Outlook "
                              "object\nThe store '" +
                              db.string() + "' cannot be written: it is read-only"),
              std::string::npos)
        << result.out;
    ::chmod(db.c_str(), 0600);
    EXPECT_EQ(runCommand(store("items Calendar")).out, "");
}

TEST_F(QuickAddProgram, AFileThatCannotBeReadIsRefusedBeforeAnythingIsFiled) {
    ASSERT_EQ(runCommand(store("folders >/dev/null")).exitCode, 0);
    ASSERT_EQ(runCommand("chmod -R a+rwX " + shellQuote(temp.path().string())).exitCode, 0);
    const std::filesystem::path secret = temp.path() / "figures.txt";
    std::ofstream(secret) << "42";
    ::chmod(secret.c_str(), 0);
    const auto result = runCommand(
        add("--to 'Ann Lee' --attach " + shellQuote(secret.string()) + " the figures 2>&1", true));
    EXPECT_EQ(result.exitCode, 2) << result.out;
    EXPECT_NE(result.out.find("cannot be read: Permission denied"), std::string::npos)
        << result.out;
    EXPECT_EQ(runCommand(store("items 'Sent Items'")).out, "");
}

}  // namespace
