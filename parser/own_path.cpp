#include "own_path.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace sentex {

std::string ownExecutableDirectory() {
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    const char separator = '\\';
    std::string full(path, n);
#else
    std::string full(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", full.data(), full.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= full.size()) return {};
    full.resize(static_cast<std::size_t>(n));
    const char separator = '/';
#endif
    const std::size_t cut = full.rfind(separator);
    return cut == std::string::npos ? std::string() : full.substr(0, cut);
}

}  // namespace sentex
