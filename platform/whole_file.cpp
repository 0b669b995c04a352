#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

bool isMissingFileError(int errorNumber) {
    return errorNumber == ENOENT || errorNumber == ENOTDIR;
}

std::optional<std::string> readToEnd(int fd) {
    std::string text;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return text;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

WholeFile readWholeFile(const std::filesystem::path& file) {
    using Status = WholeFile::Status;
    const auto unreadable = [](int errorNumber) {
        return WholeFile{Status::Unreadable, {}, std::strerror(errorNumber)};
    };
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (isMissingFileError(errno)) return {};
        return unreadable(errno);
    }
    WholeFile result;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        result = unreadable(errno);
    } else if (S_ISDIR(status.st_mode)) {
        result = unreadable(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        result = {Status::Unreadable, {}, "not a regular file"};
    } else if (std::optional<std::string> content = readToEnd(fd)) {
        result = {Status::Read, std::move(*content), {}};
    } else {
        result = unreadable(errno);
    }
    ::close(fd);
    return result;
}

}  // namespace platform
