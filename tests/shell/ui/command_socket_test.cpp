// The command socket between `jotwise note` and the running program: a real local server and
// real connections, with a receiver that records what reached it.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <QCoreApplication>
#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "shell/command_dispatcher.h"
#include "shell/command_client.h"
#include "shell/ui/command_server.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged.h"

namespace shell::ui {
namespace {

class RecordingReceiver : public CommandReceiver {
public:
    std::optional<CommandAnswer> Received(std::string_view bytes) override {
        if (!bytes.ends_with('\n')) return std::nullopt;
        requests.emplace_back(bytes);
        return CommandAnswer{"ok\n", close};
    }
    std::vector<std::string> requests;
    bool close = true;
};

class CommandSocketTest : public ::testing::Test {
protected:
    // The client blocks, so it runs beside the event loop that serves it.
    CommandDelivery sendFromAnotherThread(const std::string& request, std::string& answer) {
        CommandDelivery delivery = CommandDelivery::Failed;
        std::string reason;
        std::atomic<bool> done = false;
        std::thread client([&] {
            delivery = sendCommand(socket, request, std::chrono::seconds(10), answer, reason);
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        client.join();
        return delivery;
    }

    jotwise::testing::TempFolder folder{"jotwise-socket"};
    std::filesystem::path socket = folder.path() / "commands";
    RecordingReceiver receiver;
};

TEST_F(CommandSocketTest, ARequestOfTheSameUserIsAnsweredAndTheConnectionClosed) {
    std::string answer, reason;
    EXPECT_EQ(sendCommand(socket, "quit\n", std::chrono::seconds(1), answer, reason),
              CommandDelivery::NotListening);

    // A socket left behind by a program that ended is replaced.
    { std::ofstream(socket) << "stale"; }
    CommandServer server(receiver);
    ASSERT_TRUE(server.listen(socket, reason)) << reason;
    struct stat status {};
    ASSERT_EQ(::stat(socket.c_str(), &status), 0);
    EXPECT_TRUE(S_ISSOCK(status.st_mode));
    EXPECT_EQ(status.st_mode & 077, 0u) << "the user's alone";

    const std::string note("note\0lunch\n", 11);
    EXPECT_EQ(sendFromAnotherThread(note, answer), CommandDelivery::Answered);
    EXPECT_EQ(answer, "ok\n");
    EXPECT_EQ(receiver.requests, std::vector<std::string>{note});
}

TEST_F(CommandSocketTest, AConnectionFromAnotherUserIsClosedUnreadAndNothingRuns) {
    // The test's own process plays the stranger: the server expects another uid.
    CommandServer server(receiver, ::getuid() + 1);
    std::string answer, reason;
    ASSERT_TRUE(server.listen(socket, reason)) << reason;
    EXPECT_EQ(sendFromAnotherThread("quit\n", answer), CommandDelivery::Answered);
    EXPECT_EQ(answer, "") << "closed without an answer";
    EXPECT_TRUE(receiver.requests.empty());
}

TEST_F(CommandSocketTest, AProcessOfAnotherUserIsRefusedEvenWhereItCanReachTheSocket) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can run a process as another user";
    // The folder is opened to everybody, so that only the uid check stands in the way.
    ::chmod(folder.path().c_str(), 0777);
    CommandServer server(receiver);
    std::string reason;
    ASSERT_TRUE(server.listen(socket, reason)) << reason;
    ::chmod(socket.c_str(), 0777);

    std::atomic<bool> done = false;
    std::thread stranger([&] {
        const auto report = jotwise::testing::runWithoutPrivileges([&](int out) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 2;
            if (::write(fd, "quit\n", 5) != 5) return 3;
            char buffer[64];
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            jotwise::testing::tell(out, std::string(buffer, got > 0 ? got : 0));
            return 0;
        });
        EXPECT_EQ(report.exitCode, 0) << "it could connect";
        EXPECT_EQ(report.text, "") << "and was closed without an answer";
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    stranger.join();
    EXPECT_TRUE(receiver.requests.empty());
}

}  // namespace
}  // namespace shell::ui
