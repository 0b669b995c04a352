#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Keeps a second copy of the program from running: an exclusive flock on a per-user lock
// file, held until this object is destroyed. The lock belongs to the open file, so even a
// second acquire in the same process fails while the first lock lives.
class SingleInstanceLock {
public:
    enum class Outcome { Acquired, HeldElsewhere, Failed };
    // nullopt when another holder has the lock, the name is empty or contains "/", or the
    // lock file cannot be opened. `outcome` (when given) tells a running holder apart from a
    // failure, whose reason goes to `error` (when given).
    static std::optional<SingleInstanceLock> acquire(std::string_view name,
                                                     Outcome* outcome = nullptr,
                                                     std::string* error = nullptr);

    // <name>.lock in the user's runtime folder (see user_folders.h); nothing, with the reason
    // in `error` (when given), when there is no usable one.
    static std::optional<std::filesystem::path> lockFilePath(std::string_view name,
                                                             std::string* error = nullptr);

    SingleInstanceLock(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock& operator=(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

private:
    explicit SingleInstanceLock(int fd) : fd_(fd) {}
    void release() noexcept;

    int fd_;
};

}  // namespace platform
