#pragma once

#include <string>

namespace sentex {

// The folder of the running program's executable (the process's, not this library's),
// without a trailing separator; empty when it cannot be found.
std::string ownExecutableDirectory();

}  // namespace sentex
