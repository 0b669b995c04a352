#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace platform {

std::filesystem::path SingleInstanceLock::lockFilePath(std::string_view name) {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir != nullptr && *runtimeDir != '\0') {
        return std::filesystem::path(runtimeDir) / (std::string(name) + ".lock");
    }
    return std::filesystem::path("/tmp") /
           (std::string(name) + "-" + std::to_string(getuid()) + ".lock");
}

std::optional<SingleInstanceLock> SingleInstanceLock::acquire(std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos) return std::nullopt;
    // O_NOFOLLOW: in the shared /tmp fallback another user could plant a symbolic link.
    const int fd = open(lockFilePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                        S_IRUSR | S_IWUSR);
    if (fd < 0) return std::nullopt;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return std::nullopt;
    }
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
