#pragma once

#include <filesystem>

namespace platform {

// The running program's file, or an empty path when it cannot be found out.
std::filesystem::path ownFileName();

}  // namespace platform
