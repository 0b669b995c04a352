#include "outlook/local/mirror/system_time_zone.h"

#include <cstdlib>
#include <system_error>

namespace outlook::local::mirror {

namespace fs = std::filesystem;

namespace {

// "Europe/Berlin" from ".../zoneinfo/Europe/Berlin" (also ".../zoneinfo/posix/..."); "" when
// the path is not in a zoneinfo folder.
std::string nameInZoneinfo(const std::string& path) {
    constexpr std::string_view kFolder = "zoneinfo/";
    const std::size_t at = path.rfind(kFolder);
    if (at == std::string::npos) return {};
    std::string name = path.substr(at + kFolder.size());
    for (const std::string_view prefix : {"posix/", "right/"})
        if (name.starts_with(prefix)) name.erase(0, prefix.size());
    return name;
}

// A tz database name is letters, digits and "/_-+"; a POSIX rule has commas or digits right
// after its abbreviation, and an absolute path begins with "/".
bool looksLikeZoneName(const std::string& text) {
    if (text.empty() || text.front() == '/' || text.find("..") != std::string::npos) return false;
    for (const char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '_' || c == '-' || c == '+';
        if (!plain) return false;
    }
    // "EST5EDT" and "UTC" are names as well as rules; "CET-1" is only a rule.
    return text.find('/') != std::string::npos ||
           text.find_first_of("0123456789") == std::string::npos || text == "EST5EDT" ||
           text == "CST6CDT" || text == "MST7MDT" || text == "PST8PDT";
}

}  // namespace

std::string timeZoneName(const char* tz, const fs::path& localtime) {
    if (tz) {
        std::string value = tz;
        if (value.empty()) return "UTC";
        if (value.front() == ':') value.erase(0, 1);
        if (!value.empty() && value.front() == '/') return nameInZoneinfo(value);
        return looksLikeZoneName(value) ? value : std::string();
    }
    std::error_code error;
    const fs::path target = fs::read_symlink(localtime, error);
    if (error) return {};
    return nameInZoneinfo(target.string());
}

std::string systemTimeZoneName() {
    return timeZoneName(std::getenv("TZ"), "/etc/localtime");
}

}  // namespace outlook::local::mirror
