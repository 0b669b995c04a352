#include "outlook/local/desktop/desktop_services.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace outlook::local::desktop {

bool desktopCalendarInstalled() {
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    const std::string folders = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    std::string_view rest = folders;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::filesystem::path folder(std::string(rest.substr(0, colon)));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(
                 folder / "dbus-1" / "services", std::filesystem::directory_options::none, error))
            if (entry.path().filename().string().starts_with(
                    "org.gnome.evolution.dataserver.Sources"))
                return true;
    }
    return false;
}

}  // namespace outlook::local::desktop
