#include "shell/command_client.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/file_descriptor.h"

extern char** environ;

namespace shell {
namespace {

using Clock = std::chrono::steady_clock;

// How long a full backlog of the program's socket is waited out.
constexpr std::chrono::milliseconds kConnectLimit{2000};
constexpr std::chrono::milliseconds kConnectRetry{10};

std::string systemError(int error) {
    return std::strerror(error);
}

bool sendAll(int fd, std::string_view bytes, std::string& reason) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            reason = "the request could not be sent: " + systemError(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace

CommandDelivery sendCommand(const std::filesystem::path& path, const std::string& request,
                            std::optional<std::chrono::milliseconds> limit, std::string& answer,
                            std::string& reason) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    if (name.size() >= sizeof(address.sun_path)) {
        reason = "the command socket " + name + " has a name too long for a socket";
        return CommandDelivery::Failed;
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const platform::Fd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.fd < 0) {
        reason = "no socket could be made: " + systemError(errno);
        return CommandDelivery::Failed;
    }
    const auto connectEnd = Clock::now() + kConnectLimit;
    while (::connect(socket.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ECONNREFUSED) return CommandDelivery::NotListening;
        const bool busy = error == EAGAIN || error == EINTR;
        if (!busy || Clock::now() >= connectEnd) {
            reason = "the command socket " + name + " cannot be reached: " + systemError(error);
            return CommandDelivery::Failed;
        }
        ::usleep(static_cast<useconds_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(kConnectRetry).count()));
    }
    if (!sendAll(socket.fd, request, reason)) return CommandDelivery::Failed;

    const std::optional<Clock::time_point> end =
        limit ? std::optional(Clock::now() + *limit) : std::nullopt;
    char buffer[4096];
    for (;;) {
        int timeout = -1;
        if (end) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*end - Clock::now());
            if (left.count() <= 0) return CommandDelivery::NoAnswer;
            timeout = static_cast<int>(left.count());
        }
        pollfd waiting{socket.fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, timeout);
        if (ready < 0 && errno != EINTR) {
            reason = "the answer could not be read: " + systemError(errno);
            return CommandDelivery::Failed;
        }
        if (ready <= 0) continue;
        const ssize_t got = ::read(socket.fd, buffer, sizeof buffer);
        if (got == 0) return CommandDelivery::Answered;
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            // The program ended the connection: what it answered until then stands.
            if (errno == ECONNRESET) return CommandDelivery::Answered;
            reason = "the answer could not be read: " + systemError(errno);
            return CommandDelivery::Failed;
        }
        answer.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<pid_t> launchDetached(const std::filesystem::path& program, std::string& reason) {
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session: closing the terminal the command ran in does not end the program.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const std::string file = program.string();
    char* const argv[] = {const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, file.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        reason = file + ": " + systemError(error);
        return std::nullopt;
    }
    return pid;
}

bool processRuns(pid_t pid) {
    int status = 0;
    const pid_t waited = ::waitpid(pid, &status, WNOHANG);
    if (waited == pid) return false;
    if (waited == 0) return true;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace shell
