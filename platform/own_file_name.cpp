#include "platform/own_file_name.h"

#include <system_error>

namespace platform {

std::filesystem::path ownFileName() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return path;
}

}  // namespace platform
