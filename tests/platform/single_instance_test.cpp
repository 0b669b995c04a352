#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/own_file_name.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace platform {
namespace {

constexpr const char* kName = "OrbitMutex2112";

// Gives each test its own XDG_RUNTIME_DIR and puts the old values of it and XDG_DATA_HOME
// back afterwards.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_DATA_HOME"})
            if (const char* old = std::getenv(name)) saved_[name] = old;
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_DATA_HOME"}) {
            if (saved_.count(name))
                setenv(name, saved_[name].c_str(), 1);
            else
                unsetenv(name);
        }
    }

    static bool childProcessAcquires(std::string_view name) {
        const pid_t pid = fork();
        if (pid == 0) _exit(SingleInstanceLock::acquire(name) ? 0 : 1);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::map<std::string, std::string> saved_;
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

    // No runtime folder, and none can be made: a failure, with the folder and the reason.
    setenv("XDG_RUNTIME_DIR", "/nonexistent/jotwise-runtime", 1);
    setenv("XDG_DATA_HOME", "/dev/null/data", 1);
    EXPECT_FALSE(SingleInstanceLock::acquire(kName, &outcome, &error).has_value());
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(error, "Cannot create the folder '/dev/null/data': Not a directory");
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

TEST_F(SingleInstance, ARuntimeFolderOthersMayEnterIsNotUsed) {
    // A folder others may enter, or none at all: the lock goes into a folder of our own in
    // the data folder, never into a shared one such as /tmp.
    const std::filesystem::path data = dir_ / "data";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const std::filesystem::path own = data / "jotwise" / "runtime";
    const std::filesystem::path shared = dir_ / "shared";
    std::filesystem::create_directory(shared);
    chmod(shared.c_str(), 0777);
    for (const char* runtime : {shared.c_str(), "", "relative/folder"}) {
        SCOPED_TRACE(runtime);
        setenv("XDG_RUNTIME_DIR", runtime, 1);
        EXPECT_EQ(SingleInstanceLock::lockFilePath(kName), own / "OrbitMutex2112.lock");
        const auto lock = SingleInstanceLock::acquire(kName);
        ASSERT_TRUE(lock.has_value());
        EXPECT_FALSE(SingleInstanceLock::acquire(kName).has_value());
        struct stat info {};
        ASSERT_EQ(lstat(own.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    EXPECT_FALSE(std::filesystem::exists(shared / "OrbitMutex2112.lock"));

    // Our own folder, opened up meanwhile, is closed again; a link in its place is refused.
    chmod(own.c_str(), 0755);
    EXPECT_TRUE(SingleInstanceLock::acquire(kName).has_value());
    struct stat info {};
    ASSERT_EQ(lstat(own.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    std::filesystem::remove_all(own);
    std::filesystem::create_directory_symlink(shared, own);
    SingleInstanceLock::Outcome outcome = SingleInstanceLock::Outcome::Acquired;
    std::string error;
    EXPECT_FALSE(SingleInstanceLock::acquire(kName, &outcome, &error).has_value());
    EXPECT_EQ(outcome, SingleInstanceLock::Outcome::Failed);
    EXPECT_NE(error.find("only this user may enter"), std::string::npos) << error;
}

TEST(SingleInstanceOwnFileName, IsThisTestProgram) {
    const auto path = ownFileName();
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.filename(), "jotwise_tests");
}

}  // namespace
}  // namespace platform
