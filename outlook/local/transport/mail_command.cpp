#include "outlook/local/transport/mail_command.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/file_descriptor.h"
#include "platform/text.h"

extern char** environ;

namespace outlook::local::transport {

namespace {

using Clock = std::chrono::steady_clock;

// What the command says is kept up to this size; the rest is read and dropped.
constexpr std::size_t kMostOutput = 4096;

using platform::Fd;

// The first lines of what the command printed, on one line.
std::string firstLines(const std::string& output) {
    std::string text;
    std::size_t start = 0;
    int lines = 0;
    while (start < output.size() && lines < 2) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string_view line =
            platform::trimmed(std::string_view(output).substr(start, end - start));
        if (!line.empty()) {
            text += (text.empty() ? "" : "; ") + std::string(line);
            ++lines;
        }
        start = end + 1;
    }
    return text;
}

std::string endedHow(int status, const std::string& output, bool timedOut) {
    const std::string said = firstLines(output);
    if (timedOut) return "the mail command did not finish in time and was stopped";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        return said.empty() ? "the mail command was not found"
                            : "the mail command was not found (" + said + ")";
    if (!said.empty()) return said;
    if (WIFSIGNALED(status))
        return "the mail command ended on signal " + std::to_string(WTERMSIG(status));
    return "the mail command failed with exit code " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

CommandOutcome runMailCommand(const std::string& command, const std::string& message,
                              std::chrono::seconds timeout) {
    // A socket for the message, so that a command that stops reading early cannot raise
    // SIGPIPE in the program; a pipe for what it prints on either output.
    int input[2];
    int output[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0)
        return {false, std::string("cannot start the mail command: ") + std::strerror(errno)};
    Fd ourInput{input[0]}, theirInput{input[1]};
    if (::pipe2(output, O_CLOEXEC) != 0)
        return {false, std::string("cannot start the mail command: ") + std::strerror(errno)};
    Fd ourOutput{output[0]}, theirOutput{output[1]};
    ::shutdown(theirInput.fd, SHUT_WR);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, theirInput.fd, 0);
    posix_spawn_file_actions_adddup2(&actions, theirOutput.fd, 1);
    posix_spawn_file_actions_adddup2(&actions, theirOutput.fd, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so that a stop reaches what the shell started too; and the
    // default signal dispositions and mask, whatever the program set for itself.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(
        &attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::string shell = "/bin/sh", dashC = "-c", text = command;
    char* argv[] = {shell.data(), dashC.data(), text.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, "/bin/sh", &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        return {false, std::string("cannot start the mail command: ") + std::strerror(spawned)};
    theirInput.reset();
    theirOutput.reset();

    const auto deadline = Clock::now() + timeout;
    std::size_t written = 0;
    std::string said;
    bool timedOut = false;
    ::fcntl(ourInput.fd, F_SETFL, O_NONBLOCK);
    if (message.empty()) ourInput.reset();
    while (ourOutput.fd >= 0) {
        std::vector<pollfd> watched{{ourOutput.fd, POLLIN, 0}};
        if (ourInput.fd >= 0) watched.push_back({ourInput.fd, POLLOUT, 0});
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        if (::poll(watched.data(), watched.size(), static_cast<int>(left.count())) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (watched.size() > 1 && watched[1].revents) {
            const ssize_t n = ::send(ourInput.fd, message.data() + written,
                                     message.size() - written, MSG_NOSIGNAL);
            if (n > 0) written += static_cast<std::size_t>(n);
            // A command that stops reading has its say in its exit status.
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == message.size())
                ourInput.reset();
        }
        if (watched[0].revents) {
            char buffer[4096];
            const ssize_t n = ::read(ourOutput.fd, buffer, sizeof buffer);
            if (n > 0) {
                if (said.size() < kMostOutput)
                    said.append(buffer, std::min<std::size_t>(n, kMostOutput - said.size()));
            } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                ourOutput.reset();
            }
        }
    }
    ourInput.reset();
    if (timedOut) ::kill(-pid, SIGKILL);
    int status = 0;
    // The command may have closed its output and still be running: wait out the deadline.
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, timedOut ? 0 : WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return {false, "the mail command could not be waited for"};
        if (Clock::now() >= deadline) {
            timedOut = true;
            ::kill(-pid, SIGKILL);
            continue;
        }
        if (done == 0) ::usleep(10'000);
    }
    if (!timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0) return {true, {}};
    return {false, endedHow(status, said, timedOut), timedOut};
}

}  // namespace outlook::local::transport
