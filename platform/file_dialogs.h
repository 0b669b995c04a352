#pragma once

#include <optional>
#include <string>

namespace platform {

// The system's dialog for choosing an existing file.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The full path of the file chosen, or nothing when the user cancelled.
    virtual std::optional<std::string> openExistingFile(const std::string& caption) = 0;
};

}  // namespace platform
