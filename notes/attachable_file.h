#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace notes {

// The largest file a note copies into an item unless the settings say otherwise.
inline constexpr std::uint64_t kDefaultAttachmentLimit = 25ull * 1024 * 1024;

// Why the file at `path` cannot be attached: it is not there, is no regular file, cannot be
// read, or is larger than `limit` bytes (when a limit is given). Nothing when it can.
std::optional<std::string> WhyNotAttachable(const std::string& path,
                                            std::optional<std::uint64_t> limit);

}  // namespace notes
