#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {

bool isMissingFileError(int errorNumber) {
    return errorNumber == ENOENT || errorNumber == ENOTDIR;
}

std::optional<std::string> readToEnd(int fd, std::size_t limit, std::size_t expected) {
    std::string text;
    text.reserve(std::min(expected, limit));
    char buffer[16384];
    for (;;) {
        const std::size_t wanted = std::min(sizeof buffer, limit - text.size());
        if (wanted == 0) return text;
        const ssize_t got = ::read(fd, buffer, wanted);
        if (got == 0) return text;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

WholeFile readWholeFile(const std::filesystem::path& file, std::size_t maxBytes) {
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
    } else if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        result = {Status::TooLarge, {}, {}};
    } else {
        // One byte more than allowed tells a file that grew while it was read.
        const std::size_t limit =
            maxBytes < std::numeric_limits<std::size_t>::max() ? maxBytes + 1 : maxBytes;
        std::optional<std::string> content =
            readToEnd(fd, limit, static_cast<std::size_t>(status.st_size));
        if (!content)
            result = unreadable(errno);
        else if (content->size() > maxBytes)
            result = {Status::TooLarge, {}, {}};
        else
            result = {Status::Read, std::move(*content), {}};
    }
    ::close(fd);
    return result;
}

}  // namespace platform
