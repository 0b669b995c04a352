#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share (./.local/share
// without HOME).
std::filesystem::path userDataFolder();
// $XDG_CACHE_HOME when it is an absolute path, else $HOME/.cache (./.cache without HOME).
std::filesystem::path userCacheFolder();

// The folder for this user's lock files and sockets: $XDG_RUNTIME_DIR when it is a folder of
// this user that nobody else may enter, else a folder of our own with those properties,
// "jotwise/runtime" in the user's data folder, made when missing. Nothing, with the reason in
// `error` (when given), when neither can be used: then no other user can have put it there.
std::optional<std::filesystem::path> userRuntimeFolder(std::string* error = nullptr);

// The folder `name` inside `parent`, made closed to others (0700) when missing; nothing, with
// the reason in `error` (when given), when it exists but is no private folder of this user.
std::optional<std::filesystem::path> privateSubfolder(const std::filesystem::path& parent,
                                                      const std::string& name,
                                                      std::string* error = nullptr);

// Whether `folder` is a real folder (no symbolic link), owned by this user, that its group
// and others may not enter.
bool isPrivateFolder(const std::filesystem::path& folder);

}  // namespace platform
