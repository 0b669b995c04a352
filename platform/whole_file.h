#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace platform {

// A file read whole. A file that is not there is told apart from one that is there but
// cannot be read, which must never be taken for an empty one and replaced.
struct WholeFile {
    enum class Status { Read, Missing, Unreadable, TooLarge };
    Status status = Status::Missing;
    std::string content;
    // Why an unreadable file could not be read, in the system's words.
    std::string error;
};

// Reads a regular file. A folder or device in its place counts as unreadable; a FIFO does
// not block the caller. A file of more than `maxBytes` is not read (TooLarge), also when it
// grows past them while it is read.
WholeFile readWholeFile(const std::filesystem::path& file,
                        std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Reads an open descriptor to its end, but no more than `limit` bytes, making room for
// `expected` bytes first; nothing, with errno set, on a read error.
std::optional<std::string> readToEnd(int fd,
                                     std::size_t limit = std::numeric_limits<std::size_t>::max(),
                                     std::size_t expected = 0);

// Whether an open() that failed with this error means that the file is not there.
bool isMissingFileError(int errorNumber);

}  // namespace platform
