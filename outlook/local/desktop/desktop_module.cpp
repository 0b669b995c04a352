#include "outlook/local/desktop/desktop_module.h"

#include <dlfcn.h>

#include <mutex>

#include "platform/own_file_name.h"

namespace outlook::local::desktop {
namespace {

constexpr const char* kModuleFile = "libjotwise-desktop.so";

std::mutex gMutex;
std::filesystem::path gPath;
void* gModule = nullptr;

std::filesystem::path defaultPath() {
    const std::filesystem::path folder = platform::ownFileName().parent_path();
    const std::filesystem::path beside = folder / kModuleFile;
    std::error_code error;
    if (std::filesystem::exists(beside, error)) return beside;
    return folder.parent_path() / "lib" / "jotwise" / kModuleFile;
}

// Loads the module once; nullptr with the reason when it cannot be used.
void* module(std::string& reason) {
    if (gModule) return gModule;
    const std::filesystem::path path = gPath.empty() ? defaultPath() : gPath;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        reason = "the desktop calendar module could not be loaded: " +
                 std::string(why ? why : path.string());
        return nullptr;
    }
    using Version = int (*)();
    const auto version = reinterpret_cast<Version>(dlsym(handle, "jotwise_desktop_module_version"));
    if (!version || version() != kDesktopModuleVersion) {
        dlclose(handle);
        reason = "the desktop calendar module " + path.string() +
                 " belongs to another version of Jotwise";
        return nullptr;
    }
    gModule = handle;
    return gModule;
}

}  // namespace

void* desktopModuleFunction(const char* name, std::string& reason) {
    std::lock_guard lock(gMutex);
    void* handle = module(reason);
    if (!handle) return nullptr;
    void* function = dlsym(handle, name);
    if (!function) reason = std::string("the desktop calendar module has no ") + name;
    return function;
}

void setDesktopModulePath(const std::filesystem::path& path) {
    std::lock_guard lock(gMutex);
    gPath = path;
}

}  // namespace outlook::local::desktop
