#include "shell/startup.h"

#include <gmock/gmock.h>

#include <deque>
#include <sstream>
#include <stdexcept>

#include "tests/support/mock_message_boxes.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

using ::testing::_;
using ::testing::HasSubstr;
using ::testing::Return;
using ::testing::StrictMock;
using Outcome = platform::SingleInstanceLock::Outcome;

// The system as the start sees it, writing down every step in order.
class FakeStartupPlatform : public CommandPlatform, public DesktopPlatform {
public:
    class Recorded : public Held {
    public:
        Recorded(std::vector<std::string>& log, std::string name)
            : log_(log), name_(std::move(name)) {}
        ~Recorded() override { log_.push_back("end " + name_); }

    private:
        std::vector<std::string>& log_;
        std::string name_;
    };

    int QuickAdd(const std::vector<std::string>& args) override {
        log.push_back("add " + ::testing::PrintToString(args));
        return 3;
    }
    bool StartDesktop(const std::string& t, std::string& reason) override {
        log.push_back("desktop");
        title = t;
        if (!desktop) reason = "no display";
        return desktop;
    }
    platform::MessageBoxes& Boxes() override { return boxes; }
    std::unique_ptr<Held> Lock(std::string_view name, Outcome& outcome,
                               std::string& reason) override {
        log.push_back("lock " + std::string(name));
        outcome = lockOutcome;
        if (lockOutcome != Outcome::Acquired) {
            if (lockOutcome == Outcome::Failed) reason = "/run/user/1000: Permission denied";
            return nullptr;
        }
        return std::make_unique<Recorded>(log, "lock");
    }
    std::unique_ptr<Held> StartProgram() override {
        log.push_back("program");
        if (programThrows) throw std::runtime_error("the windows could not be made");
        return std::make_unique<Recorded>(log, "program");
    }
    int RunEventLoop() override {
        log.push_back("loop");
        return loopExit;
    }
    // The running program, as the command socket finds it: each call takes the next of
    // `deliveries` (the last one stays).
    CommandDelivery SendCommand(const std::string& request,
                                std::optional<std::chrono::milliseconds> limit, std::string& answer,
                                std::string& reason) override {
        log.push_back("send");
        requests.push_back(request);
        limits.push_back(limit);
        const auto& [delivery, text] = deliveries.front();
        if (deliveries.size() > 1) deliveries.pop_front();
        (delivery == CommandDelivery::Failed ? reason : answer) = text;
        return delivery;
    }
    bool LaunchProgram(std::string& reason) override {
        log.push_back("launch");
        if (!launches) reason = "no such file";
        return launches;
    }
    bool LaunchedProgramRuns() override { return launchedRuns; }
    void Pause(std::chrono::milliseconds) override { ++pauses; }
    int StartTrayProgram() override { return RunTrayProgram(*this, *trayErr); }

    std::vector<std::string> log;
    std::string title;
    bool desktop = true;
    bool programThrows = false;
    int loopExit = 0;
    Outcome lockOutcome = Outcome::Acquired;
    StrictMock<jotwise::testing::MockMessageBoxes> boxes;
    std::deque<std::pair<CommandDelivery, std::string>> deliveries{
        {CommandDelivery::Answered, "ok\n"}};
    std::vector<std::string> requests;
    std::vector<std::optional<std::chrono::milliseconds>> limits;
    bool launches = true, launchedRuns = true;
    int pauses = 0;
    std::ostream* trayErr = nullptr;
};

class StartupTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> args = {}) {
        platform.trayErr = &err;
        return RunProgram(args, platform, out, err);
    }
    FakeStartupPlatform platform;
    std::ostringstream out, err;
};

TEST_F(StartupTest, AddFilesANoteBeforeAnythingElse) {
    EXPECT_EQ(run({"add", "--dry-run", "lunch"}), 3);
    EXPECT_EQ(platform.log, std::vector<std::string>{R"(add { "--dry-run", "lunch" })"});
}

TEST_F(StartupTest, TheAutostartSwitchWritesOrRemovesTheLoginEntryAndStartsNothing) {
    jotwise::testing::TempFolder config("jotwise-autostart");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    const auto entry = config.path() / "autostart" / "jotwise.desktop";
    EXPECT_EQ(run({"--autostart", "on"}), kProgramEnded);
    EXPECT_TRUE(std::filesystem::exists(entry));
    EXPECT_EQ(run({"--autostart", "OFF"}), kProgramEnded);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(run({"--autostart", "maybe"}), kProgramBadUsage);
    EXPECT_NE(err.str().find("usage: jotwise --autostart on|off"), std::string::npos);
    EXPECT_TRUE(platform.log.empty()) << "no desktop, no lock";
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST_F(StartupTest, HelpListsEveryCommandAndStartsNothing) {
    for (const char* help : {"--help", "-h"}) {
        out.str("");
        EXPECT_EQ(run({help}), kProgramEnded) << help;
        for (const char* command :
             {"usage: jotwise ", "jotwise add", "--type TYPE", "jotwise note [TEXT...]",
              "jotwise explorer", "jotwise keywords", "jotwise quit", "--autostart on|off",
              "--help", "--version"})
            EXPECT_THAT(out.str(), HasSubstr(command)) << help;
    }
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(platform.log.empty()) << "no desktop, no lock";
}

TEST_F(StartupTest, VersionIsOneLineAndStartsNothing) {
    EXPECT_EQ(run({"--version"}), kProgramEnded);
    const std::string line = out.str();
    EXPECT_THAT(line, ::testing::StartsWith("jotwise "));
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_TRUE(platform.log.empty());
}

TEST_F(StartupTest, AWordThatIsNoCommandIsRefusedWithTheUsageAndStartsNothing) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                                 {"notes"},
                                                 {"--help", "extra"},
                                                 {"--version", "2"},
                                                 {"-platform", "xcb", "--sessions"},
                                                 {"-reverse=1"}}) {
        err.str("");
        EXPECT_EQ(run(args), kProgramUnknownCommand) << ::testing::PrintToString(args);
        EXPECT_EQ(kProgramUnknownCommand, 2);
        EXPECT_THAT(err.str(), HasSubstr("is no command or option of jotwise"));
        EXPECT_THAT(err.str(), HasSubstr("usage: jotwise "));
    }
    EXPECT_THAT(err.str(), HasSubstr("'-reverse=1'"));
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(platform.log.empty()) << "no desktop, no lock";
}

TEST_F(StartupTest, QtsOwnOptionsStillStartTheTrayProgram) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-platform", "offscreen"},
                                                 {"--platform=xcb"},
                                                 {"-session", "10abc", "-reverse"},
                                                 {"-style=fusion", "-display", ":1"}}) {
        platform.log.clear();
        EXPECT_EQ(run(args), kProgramEnded) << ::testing::PrintToString(args);
        EXPECT_EQ(platform.log.front(), "desktop") << ::testing::PrintToString(args);
    }
    EXPECT_EQ(err.str(), "");
}

TEST_F(StartupTest, ARunEndsTheWindowsAndTheSessionBeforeTheLock) {
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(platform.title, "Jotwise for Microsoft Outlook");
    EXPECT_EQ(platform.log, (std::vector<std::string>{"desktop", "lock OrbitMutex2112", "program",
                                                      "loop", "end program", "end lock"}));
    EXPECT_EQ(err.str(), "");
}

TEST_F(StartupTest, ARunThatFailedInsideTheLoopEndsWithItsCode) {
    platform.loopExit = kProgramFailed;
    EXPECT_EQ(run(), kProgramFailed);
    EXPECT_EQ(platform.log.back(), "end lock");
}

TEST_F(StartupTest, ASecondCopyPointsAtTheTrayAndEndsWithZero) {
    platform.lockOutcome = Outcome::HeldElsewhere;
    EXPECT_CALL(platform.boxes,
                show("Jotwise for Microsoft Outlook",
                     "Jotwise is already running. Double-click on the 'J' icon in the system "
                     "tray to create a new action note.",
                     platform::MessageIcon::Information, platform::MessageButtons::Ok));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(platform.log, (std::vector<std::string>{"desktop", "lock OrbitMutex2112"}));
}

TEST_F(StartupTest, ALockThatFailsIsAnErrorWithItsReasonNotTheRunningBox) {
    platform.lockOutcome = Outcome::Failed;
    EXPECT_CALL(platform.boxes,
                show(_,
                     AllOf(HasSubstr("Application initialization failed because: \n"),
                           HasSubstr("/run/user/1000: Permission denied")),
                     platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    EXPECT_NE(run(), 0);
    EXPECT_EQ(platform.log.back(), "lock OrbitMutex2112");
}

TEST_F(StartupTest, WithoutADesktopOneLinePointsAtAddAndNothingElseHappens) {
    platform.desktop = false;
    EXPECT_EQ(run(), kProgramNoDesktop);
    EXPECT_EQ(platform.log, std::vector<std::string>{"desktop"}) << "no lock, no box";
    const std::string line = err.str();
    EXPECT_THAT(line, HasSubstr("needs a desktop (no display)"));
    EXPECT_THAT(line, HasSubstr("jotwise add"));
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

TEST_F(StartupTest, AnExceptionInTheStartIsShownAndEndsTheProgramAfterTheLock) {
    platform.programThrows = true;
    EXPECT_CALL(platform.boxes, show(_, HasSubstr("the windows could not be made"),
                                     platform::MessageIcon::Stop, _));
    EXPECT_EQ(run(), kProgramFailed);
    EXPECT_EQ(platform.log.back(), "end lock");
}

// ---- Commands to the running program ----

using Log = std::vector<std::string>;

TEST_F(StartupTest, ACommandGoesToTheRunningProgramAndNeedsNoDesktopOfItsOwn) {
    EXPECT_EQ(run({"note", "lunch", "with ann\ntomorrow"}), kProgramEnded);
    EXPECT_EQ(run({"explorer"}), kProgramEnded);
    EXPECT_EQ(run({"keywords"}), kProgramEnded);
    EXPECT_EQ(platform.requests, (Log{std::string("note\0lunch with ann tomorrow\n", 29),
                                      "explorer\n", "keywords\n"}));
    EXPECT_EQ(platform.log, (Log{"send", "send", "send"})) << "no desktop, no lock, no start";
    EXPECT_EQ(platform.limits.front(), std::chrono::milliseconds(10000));
    EXPECT_EQ(err.str(), "");
}

TEST_F(StartupTest, QuitWaitsForTheEndAsLongAsTheNotesQuestionsTake) {
    EXPECT_EQ(run({"quit"}), kProgramEnded);
    EXPECT_EQ(platform.requests, Log{"quit\n"});
    EXPECT_EQ(platform.limits, std::vector<std::optional<std::chrono::milliseconds>>{std::nullopt});
}

TEST_F(StartupTest, QuitWithNothingRunningSaysSoAndStartsNothing) {
    platform.deliveries = {{CommandDelivery::NotListening, ""}};
    EXPECT_EQ(run({"quit"}), kProgramNotRunning);
    EXPECT_EQ(platform.log, (Log{"send", "lock OrbitMutex2112", "end lock"}));
    EXPECT_EQ(err.str(), "jotwise: Jotwise is not running\n");
}

TEST_F(StartupTest, ANoteWithNothingRunningStartsTheProgramAndWaitsUntilItListens) {
    platform.deliveries = {{CommandDelivery::NotListening, ""},
                           {CommandDelivery::NotListening, ""},
                           {CommandDelivery::NotListening, ""},
                           {CommandDelivery::Answered, "ok\n"}};
    EXPECT_EQ(run({"note", "call bob"}), kProgramEnded);
    EXPECT_EQ(platform.log,
              (Log{"send", "lock OrbitMutex2112", "end lock", "launch", "send", "send", "send"}))
        << "the lock is let go before the program starts, and looked at once only";
    EXPECT_EQ(platform.pauses, 3);
    EXPECT_EQ(err.str(), "");
}

TEST_F(StartupTest, AProgramStillStartingIsWaitedForNotStartedTwice) {
    platform.lockOutcome = Outcome::HeldElsewhere;
    platform.deliveries = {{CommandDelivery::NotListening, ""},
                           {CommandDelivery::Answered, "ok\n"}};
    EXPECT_EQ(run({"quit"}), kProgramEnded);
    EXPECT_EQ(platform.log, (Log{"send", "lock OrbitMutex2112", "send"}));
}

TEST_F(StartupTest, AProgramThatNeverComesUpIsGivenUpWithAClearLine) {
    platform.deliveries = {{CommandDelivery::NotListening, ""}};
    EXPECT_EQ(run({"note"}), kProgramFailed);
    EXPECT_EQ(platform.pauses, 300) << "a tenth of a second each: thirty seconds";
    EXPECT_THAT(err.str(), HasSubstr("did not come up to take the command within 30 seconds"));

    // One that ends while it starts (another desktop, a broken store) is not waited for.
    platform.pauses = 0;
    platform.launchedRuns = false;
    err.str("");
    EXPECT_EQ(run({"explorer"}), kProgramFailed);
    EXPECT_EQ(platform.pauses, 1);
    EXPECT_THAT(err.str(), HasSubstr("ended before it took it"));

    platform.launches = false;
    err.str("");
    EXPECT_EQ(run({"keywords"}), kProgramFailed);
    EXPECT_EQ(err.str(), "jotwise: Jotwise could not be started: no such file\n");
}

TEST_F(StartupTest, WhatTheProgramRefusesOrCannotAnswerIsAFailureWithItsReason) {
    const std::vector<std::tuple<CommandDelivery, std::string, std::string>> cases = {
        {CommandDelivery::Answered, "error a dialog of Jotwise is open: close it first\n",
         "jotwise: a dialog of Jotwise is open: close it first\n"},
        {CommandDelivery::Answered, "",
         "jotwise: Jotwise ended the connection without an answer\n"},
        {CommandDelivery::Answered, "okay",
         "jotwise: Jotwise gave an answer that cannot be read\n"},
        {CommandDelivery::NoAnswer, "", "jotwise: Jotwise did not answer within 10 seconds\n"},
        {CommandDelivery::Failed, "the command socket x cannot be reached: denied",
         "jotwise: the command socket x cannot be reached: denied\n"}};
    for (const auto& [delivery, text, said] : cases) {
        platform.deliveries = {{delivery, text}};
        err.str("");
        EXPECT_EQ(run({"note", "x"}), kProgramFailed) << text;
        EXPECT_EQ(err.str(), said);
    }
    EXPECT_EQ(platform.log.size(), cases.size()) << "only sent";
}

TEST_F(StartupTest, ACommandWithWordsItDoesNotTakeIsRefusedWithTheUsage) {
    for (const char* command : {"quit", "explorer", "keywords"}) {
        err.str("");
        EXPECT_EQ(run({command, "now"}), kProgramBadUsage) << command;
        EXPECT_THAT(err.str(),
                    HasSubstr(std::string("'jotwise ") + command + "' takes no arguments"));
        EXPECT_THAT(err.str(), HasSubstr("usage: jotwise "));
    }
    EXPECT_TRUE(platform.log.empty());
}

TEST(InstanceLock, TheSecondTakerIsToldItIsHeldAndAFailureHasAReason) {
    Outcome first = Outcome::Failed, second = Outcome::Acquired;
    std::string reason;
    const auto held = TakeInstanceLock("StartupTestLock", first, reason);
    ASSERT_NE(held, nullptr) << reason;
    EXPECT_EQ(first, Outcome::Acquired);
    EXPECT_EQ(TakeInstanceLock("StartupTestLock", second, reason), nullptr);
    EXPECT_EQ(second, Outcome::HeldElsewhere);
    EXPECT_EQ(TakeInstanceLock("bad/name", second, reason), nullptr);
    EXPECT_EQ(second, Outcome::Failed);
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace shell
