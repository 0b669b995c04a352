#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/user_folders.h"

namespace platform {

std::optional<std::filesystem::path> SingleInstanceLock::lockFilePath(std::string_view name,
                                                                      std::string* error) {
    const auto folder = userRuntimeFolder(error);
    if (!folder) return std::nullopt;
    return *folder / (std::string(name) + ".lock");
}

std::optional<SingleInstanceLock> SingleInstanceLock::acquire(std::string_view name,
                                                              Outcome* outcome,
                                                              std::string* error) {
    const auto fail = [&](std::string reason) -> std::optional<SingleInstanceLock> {
        if (outcome) *outcome = Outcome::Failed;
        if (error) *error = std::move(reason);
        return std::nullopt;
    };
    if (name.empty() || name.find('/') != std::string_view::npos)
        return fail("'" + std::string(name) + "' cannot name a lock file");
    std::string reason;
    const std::optional<std::filesystem::path> found = lockFilePath(name, &reason);
    if (!found) return fail(reason);
    const std::filesystem::path& path = *found;
    // O_NOFOLLOW: nothing in the folder is followed anywhere else.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (fd < 0) return fail(path.string() + ": " + std::strerror(errno));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        close(fd);
        if (reason == EWOULDBLOCK) {
            if (outcome) *outcome = Outcome::HeldElsewhere;
            return std::nullopt;
        }
        return fail(path.string() + ": " + std::strerror(reason));
    }
    if (outcome) *outcome = Outcome::Acquired;
    return SingleInstanceLock(fd);
}

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

SingleInstanceLock& SingleInstanceLock::operator=(SingleInstanceLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

// Closing the only descriptor of the open file drops the lock. The file itself stays:
// removing it could let two programs lock two different files of the same name.
void SingleInstanceLock::release() noexcept {
    if (fd_ >= 0) close(std::exchange(fd_, -1));
}

}  // namespace platform
