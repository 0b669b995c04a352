#include "platform/user_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

namespace fs = std::filesystem;

// Makes the missing folders of `folder` closed to others (0700).
bool makePrivateFolders(const fs::path& folder, std::string& error) {
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return true;
    if (!makePrivateFolders(folder.parent_path(), error)) return false;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "Cannot create the folder '" + folder.string() + "': " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

fs::path userDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') return data;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share";
}

fs::path userCacheFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/') return cache;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".cache";
}

bool isPrivateFolder(const fs::path& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

std::optional<fs::path> privateSubfolder(const fs::path& parent, const std::string& name,
                                         std::string* error) {
    const fs::path folder = parent / name;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        if (error)
            *error = "Cannot create the folder '" + folder.string() + "': " + std::strerror(errno);
        return std::nullopt;
    }
    if (!isPrivateFolder(folder)) {
        if (error)
            *error = "The folder '" + folder.string() +
                     "' is not a folder of this user's that only this user may enter";
        return std::nullopt;
    }
    return folder;
}

std::optional<fs::path> userRuntimeFolder(std::string* error) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && *runtime == '/' && isPrivateFolder(runtime))
        return fs::path(runtime);

    const fs::path own = userDataFolder() / "jotwise" / "runtime";
    std::string reason;
    if (!makePrivateFolders(own, reason)) {
        if (error) *error = reason;
        return std::nullopt;
    }
    // A folder of ours that others may enter is closed; one of somebody else's is refused.
    struct stat status {};
    if (::lstat(own.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
        status.st_uid == ::getuid() && (status.st_mode & 077) != 0)
        ::chmod(own.c_str(), 0700);
    if (!isPrivateFolder(own)) {
        if (error)
            *error = "The folder '" + own.string() +
                     "' is not a folder of this user's that only this user may enter";
        return std::nullopt;
    }
    return own;
}

}  // namespace platform
