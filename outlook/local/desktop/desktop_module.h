#pragma once

#include <filesystem>
#include <string>

namespace outlook::local::desktop {

// What talks to the desktop's calendar and address book (Evolution Data Server) lives in a
// module of its own, libjotwise-desktop.so, loaded only once the desktop calendar is switched
// on: the program starts without EDS's libraries and runs where EDS is not installed.

// The module's function `name`, or nullptr with the reason (no module, EDS's libraries
// missing, a module of another version). The module stays loaded once it loaded.
void* desktopModuleFunction(const char* name, std::string& reason);

// Where the module is looked for: beside the program's file, then in ../lib/jotwise/ from it.
// Tests point it at the build's module; an empty path restores the default.
void setDesktopModulePath(const std::filesystem::path& path);

// The version the module's jotwise_desktop_module_version() must give.
inline constexpr int kDesktopModuleVersion = 1;

}  // namespace outlook::local::desktop
