#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Called when the temporary file is complete and synced, just before it replaces the
// target. Returning false stops the write there and leaves the temporary file behind, as
// if the program had died at that moment; an exception it throws does the same and passes
// on. Tests use it to see what a crash leaves on disk.
using BeforeReplaceHook = std::function<bool(const std::filesystem::path& temporary)>;

// Whether a write waits for its data to reach the disk.
enum class Durability {
    // The file and then its folder are synced: after a crash the target is whole, old or new.
    Synced,
    // Nothing is synced, for many files written in a row and then synced at once with
    // syncFileSystem. Until then a crash may leave a target empty (never partly written).
    Deferred,
};

// Replaces `target` with `content` so that readers find either the old file or the new one,
// whole, even after a crash or power loss: the content goes to a new temporary file in the
// target's folder (named ".<target name>.tmp-XXXXXX", so readers of the target never see
// it), which is synced and renamed over the target, and then the folder is synced. Missing
// folders on the way are created with mode 0700; the file gets exactly `mode`.
// On failure returns false with the reason in *error (when given), removes the temporary
// file and leaves the target as it was.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view content,
                         mode_t mode = 0600, std::string* error = nullptr,
                         const BeforeReplaceHook& beforeReplace = {},
                         Durability durability = Durability::Synced);

// The name of the file that a temporary file of writeFileAtomically was made for
// (".UID.ics.tmp-a1B2c3" gives "UID.ics"); nothing for any other name. A temporary file
// outlives its write only when the writer died, so old ones can be cleared away.
std::optional<std::string> targetOfTemporaryName(std::string_view name);

// Makes `folder` and the missing folders above it, as writeFileAtomically does (mode 0700).
// False with the reason in *error (when given) when one cannot be made.
bool makeFolders(const std::filesystem::path& folder, std::string* error = nullptr);

// Writes everything written so far to the file system that holds `path` to its disk.
// False with the reason in *error (when given) when it cannot.
bool syncFileSystem(const std::filesystem::path& path, std::string* error = nullptr);

}  // namespace platform
