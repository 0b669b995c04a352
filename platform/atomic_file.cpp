#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool fail(std::string* error, std::string what, const fs::path& path, int errorNumber) {
    if (error) *error = std::move(what) + " " + path.string() + ": " + std::strerror(errorNumber);
    return false;
}

bool isFolder(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename has happened; a folder that cannot be synced (some file systems refuse)
    // does not undo it.
    ::fsync(fd);
    ::close(fd);
}

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kTemporarySuffixLength = 6;  // what mkostemp puts for "XXXXXX"

}  // namespace

bool makeFolders(const fs::path& folder, std::string* error) {
    if (folder.empty() || isFolder(folder)) return true;
    const fs::path parent = folder.parent_path();
    if (parent != folder && !makeFolders(parent, error)) return false;
    if (::mkdir(folder.c_str(), 0700) == 0) return true;
    const int mkdirError = errno;
    // Another process may have made it meanwhile.
    if (mkdirError == EEXIST && isFolder(folder)) return true;
    return fail(error, "cannot create the folder", folder, mkdirError);
}

std::optional<std::string> targetOfTemporaryName(std::string_view name) {
    // "." + a name of at least one character + the mark + the suffix.
    if (!name.starts_with('.') || name.size() < 2 + kTemporaryMark.size() + kTemporarySuffixLength)
        return std::nullopt;
    const std::size_t mark = name.size() - kTemporarySuffixLength - kTemporaryMark.size();
    if (name.substr(mark, kTemporaryMark.size()) != kTemporaryMark) return std::nullopt;
    return std::string(name.substr(1, mark - 1));
}

bool writeFileAtomically(const fs::path& target, std::string_view content, mode_t mode,
                         std::string* error, const BeforeReplaceHook& beforeReplace,
                         Durability durability) {
    const bool synced = durability == Durability::Synced;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!makeFolders(folder, error)) return false;

    std::string name = (folder / ("." + target.filename().string() + std::string(kTemporaryMark) +
                                  std::string(kTemporarySuffixLength, 'X')))
                           .string();
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return fail(error, "cannot create a temporary file in", folder, errno);
    const fs::path temporary = name;

    const auto abandon = [&](const char* what, int errorNumber, bool open) {
        if (open) ::close(fd);
        ::unlink(temporary.c_str());
        return fail(error, what, temporary, errorNumber);
    };
    if (::fchmod(fd, mode) != 0) return abandon("cannot set the mode of", errno, true);
    if (!writeAll(fd, content)) return abandon("cannot write", errno, true);
    if (synced && ::fsync(fd) != 0) return abandon("cannot sync", errno, true);
    if (::close(fd) != 0) return abandon("cannot close", errno, false);

    if (beforeReplace && !beforeReplace(temporary)) {
        if (error) *error = "stopped before replacing " + target.string();
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        return abandon(("cannot replace " + target.string() + " with").c_str(), renameError, false);
    }
    if (synced) syncFolder(folder);
    return true;
}

bool syncFileSystem(const fs::path& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(error, "cannot open", path, errno);
    const bool done = ::syncfs(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    return done || fail(error, "cannot sync the file system of", path, syncError);
}

}  // namespace platform
