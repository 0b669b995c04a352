#include "notes/attachable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/whole_file.h"

namespace notes {
namespace {

std::string megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

}  // namespace

std::optional<std::string> WhyNotAttachable(const std::string& path,
                                            std::optional<std::uint64_t> limit) {
    const std::string file = "'" + path + "'";
    // Opening it is the one sure test of whether it can be read; O_NONBLOCK keeps a FIFO
    // from stopping the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (platform::isMissingFileError(errno)) return "there is no file " + file;
        return file + " cannot be read: " + std::strerror(errno);
    }
    struct stat status {};
    const bool statted = ::fstat(fd, &status) == 0;
    const int statError = errno;
    ::close(fd);
    if (!statted) return file + " cannot be read: " + std::strerror(statError);
    if (!S_ISREG(status.st_mode)) return file + " is not a regular file";
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (limit && size > *limit)
        return file + " is " + megabytes(size) + ", larger than the " + megabytes(*limit) +
               " a file attached to a note may be";
    return std::nullopt;
}

}  // namespace notes
