// The mail command as the transport runs it, and the settings that choose it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "outlook/local/transport/mail_command.h"
#include "outlook/local/transport/mail_setup.h"
#include "tests/parser/process.h"
#include "tests/support/memory_registry.h"
#include "tests/support/temp_folder.h"

namespace outlook::local::transport {
namespace {

using namespace std::chrono_literals;
using sentex::testing::shellQuote;

TEST(MailCommand, TheExitStatusSaysWhetherTheMessageWasTakenAndTheOutputWhyNot) {
    jotwise::testing::TempFolder temp("jotwise-mail-command");
    const std::string kept = (temp.path() / "kept").string();
    const std::string message = "To: ann@example.com\nSubject: x\n\n" + std::string(300'000, 'b');
    EXPECT_TRUE(runMailCommand("cat > " + shellQuote(kept), message, 10s).delivered);
    std::ifstream in(kept);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), message);

    const CommandOutcome refused = runMailCommand(
        "cat >/dev/null; printf '\\nmsmtp: server refused\\nmsmtp: could not send\\nmore\\n' >&2; "
        "exit 75",
        message, 10s);
    EXPECT_FALSE(refused.delivered);
    EXPECT_FALSE(refused.uncertain);
    EXPECT_EQ(refused.problem, "msmtp: server refused; msmtp: could not send");

    EXPECT_EQ(runMailCommand("exit 3", message, 10s).problem,
              "the mail command failed with exit code 3");
    // A command that reads nothing and fails must not take the program down with SIGPIPE.
    EXPECT_FALSE(runMailCommand("exit 1", message, 10s).delivered);
    EXPECT_NE(runMailCommand("no-such-mailer-here -t", message, 10s).problem.find("not found"),
              std::string::npos);
}

TEST(MailCommand, ACommandThatHangsIsStoppedAndMayHaveSent) {
    const auto started = std::chrono::steady_clock::now();
    const CommandOutcome hung = runMailCommand("cat >/dev/null; sleep 30", "x\n", 1s);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 20s);
    EXPECT_FALSE(hung.delivered);
    EXPECT_TRUE(hung.uncertain);
    EXPECT_NE(hung.problem.find("did not finish in time"), std::string::npos);
}

TEST(MailSetup, AddressesAreTakenWithOrWithoutANameAndRefusedWhenUnusable) {
    const auto ann = parseMailbox(" Ann Lee <ann@example.org> ");
    ASSERT_TRUE(ann);
    EXPECT_EQ(ann->name, "Ann Lee");
    EXPECT_EQ(ann->address, "ann@example.org");
    EXPECT_EQ(parseMailbox("\"Lee, Ann\" <ann@example.org>")->name, "Lee, Ann");
    const auto bare = parseMailbox("ann@example.org");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->name, "");
    for (const char* bad : {"", "Ann Lee", "ann@", "@example.org", "Ann <ann lee@example.org>",
                            "Ann\r\nBcc: x@y.z <ann@example.org>", "ann@example.org\nBcc: x@y.z"})
        EXPECT_FALSE(parseMailbox(bad)) << bad;
}

class MailSetupFromSettings : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME", "PATH"})
            if (const char* value = std::getenv(name)) saved_[name] = value;
        ::setenv("XDG_CONFIG_HOME", (temp.path() / "config").c_str(), 1);
        ::setenv("HOME", (temp.path() / "home").c_str(), 1);
    }
    void TearDown() override {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME", "PATH"}) {
            if (saved_.count(name))
                ::setenv(name, saved_[name].c_str(), 1);
            else
                ::unsetenv(name);
        }
    }
    // A folder holding an executable named msmtp, as the only thing on PATH.
    void msmtpOnPath() {
        const auto bin = temp.path() / "bin";
        std::filesystem::create_directories(bin);
        std::ofstream(bin / "msmtp") << "#!/bin/sh\n";
        std::filesystem::permissions(bin / "msmtp", std::filesystem::perms::owner_all);
        ::setenv("PATH", bin.c_str(), 1);
    }

    jotwise::testing::TempFolder temp{"jotwise-mail-setup"};
    jotwise::testing::MemoryRegistry registry;
    std::map<std::string, std::string> saved_;
};

TEST_F(MailSetupFromSettings, MsmtpIsChosenOnlyOnceItIsConfigured) {
    msmtpOnPath();
    const std::string fallback = defaultSendCommand();
    EXPECT_NE(fallback, "msmtp --read-envelope-from -t");
    std::filesystem::create_directories(temp.path() / "config" / "msmtp");
    std::ofstream(temp.path() / "config" / "msmtp" / "config") << "account default\n";
    EXPECT_EQ(readMailSetup(registry).command, "msmtp --read-envelope-from -t");
    EXPECT_FALSE(readMailSetup(registry).commandFromSetting);
}

TEST_F(MailSetupFromSettings, TheSettingsWinAndAnUnusableFromIsKeptAsWritten) {
    ASSERT_TRUE(writeMailSetting(registry, kSendCommandValue, "my-mailer -t"));
    ASSERT_TRUE(writeMailSetting(registry, kFromValue, "Jo Wise <jo@example.org>"));
    MailSetup setup = readMailSetup(registry);
    EXPECT_EQ(setup.command, "my-mailer -t");
    EXPECT_TRUE(setup.commandFromSetting);
    ASSERT_TRUE(setup.from);
    EXPECT_EQ(setup.from->address, "jo@example.org");

    ASSERT_TRUE(writeMailSetting(registry, kFromValue, "Jo Wise"));
    setup = readMailSetup(registry);
    EXPECT_FALSE(setup.from);
    EXPECT_EQ(setup.fromSetting, "Jo Wise");
    ASSERT_TRUE(writeMailSetting(registry, kSendCommandValue, ""));
    ::setenv("PATH", (temp.path() / "nothing").c_str(), 1);
    EXPECT_EQ(readMailSetup(registry).command, defaultSendCommand());
}

}  // namespace
}  // namespace outlook::local::transport
