#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/own_file_name.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace platform {
namespace {

constexpr const char* kName = "OrbitMutex2112";

// Gives each test its own XDG_RUNTIME_DIR and puts the old value back afterwards.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) saved_ = old;
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (saved_) {
            setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

    static bool childProcessAcquires(std::string_view name) {
        const pid_t pid = fork();
        if (pid == 0) _exit(SingleInstanceLock::acquire(name) ? 0 : 1);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::optional<std::string> saved_;
    jotwise::testing::TempFolder temp_{"lock-test"};
    const std::filesystem::path dir_ = temp_.path();
};

TEST_F(SingleInstance, SecondAcquireFailsUntilTheFirstIsReleased) {
    auto first = SingleInstanceLock::acquire(kName);
    ASSERT_TRUE(first.has_value());
    struct stat info {};
    ASSERT_EQ(stat((dir_ / "OrbitMutex2112.lock").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_FALSE(SingleInstanceLock::acquire(kName).has_value());
    EXPECT_TRUE(SingleInstanceLock::acquire("OtherProgram").has_value());
    EXPECT_FALSE(SingleInstanceLock::acquire("../escape").has_value());

    auto moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(SingleInstanceLock::acquire(kName).has_value()) << "moved-from lock released it";
    { [[maybe_unused]] auto gone = std::move(moved); }
    EXPECT_TRUE(SingleInstanceLock::acquire(kName).has_value());
}

TEST_F(SingleInstance, ARunningHolderIsToldApartFromAFailure) {
    using Outcome = SingleInstanceLock::Outcome;
    Outcome outcome = Outcome::Failed;
    std::string error;
    auto first = SingleInstanceLock::acquire(kName, &outcome, &error);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(outcome, Outcome::Acquired);
    EXPECT_FALSE(SingleInstanceLock::acquire(kName, &outcome, &error).has_value());
    EXPECT_EQ(outcome, Outcome::HeldElsewhere);
    first.reset();

    // A runtime folder that is not there: a failure, with the file and the reason.
    setenv("XDG_RUNTIME_DIR", "/nonexistent/jotwise-runtime", 1);
    EXPECT_FALSE(SingleInstanceLock::acquire(kName, &outcome, &error).has_value());
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(error, "/nonexistent/jotwise-runtime/OrbitMutex2112.lock: No such file or directory");
    EXPECT_FALSE(SingleInstanceLock::acquire("a/b", &outcome, &error).has_value());
    EXPECT_EQ(outcome, Outcome::Failed);
}

TEST_F(SingleInstance, OtherProcessesCannotTakeAHeldLock) {
    {
        const auto lock = SingleInstanceLock::acquire(kName);
        ASSERT_TRUE(lock.has_value());
        EXPECT_FALSE(childProcessAcquires(kName));
    }
    EXPECT_TRUE(childProcessAcquires(kName));
}

TEST_F(SingleInstance, ProgramsStartedByTheHolderDoNotKeepTheLock) {
    auto lock = SingleInstanceLock::acquire(kName);
    ASSERT_TRUE(lock.has_value());
    char program[] = "/bin/sleep";
    char seconds[] = "60";
    char* argv[] = {program, seconds, nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program, nullptr, nullptr, argv, environ), 0);
    lock.reset();
    EXPECT_TRUE(SingleInstanceLock::acquire(kName).has_value());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

TEST_F(SingleInstance, FallsBackToTmpWithoutRuntimeFolder) {
    const std::string name = "jotwise-test-" + std::to_string(getpid());
    const auto expected = "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
    setenv("XDG_RUNTIME_DIR", "", 1);
    EXPECT_EQ(SingleInstanceLock::lockFilePath(name), expected);
    {
        const auto lock = SingleInstanceLock::acquire(name);
        ASSERT_TRUE(lock.has_value());
        EXPECT_TRUE(std::filesystem::exists(expected));
        EXPECT_FALSE(SingleInstanceLock::acquire(name).has_value());
    }
    std::filesystem::remove(expected);
}

TEST(SingleInstanceOwnFileName, IsThisTestProgram) {
    const auto path = ownFileName();
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.filename(), "jotwise_tests");
}

}  // namespace
}  // namespace platform
