#pragma once

#include <filesystem>
#include <string>

namespace outlook::local::mirror {

// The name of the system's time zone in the tz database ("Europe/Berlin"): from `tz` (the
// value of $TZ: ":Europe/Berlin", "Europe/Berlin", or a path into a zoneinfo folder), else
// from where `localtime` (/etc/localtime) links to. "UTC" for an empty $TZ; "" when neither
// names a zone (a POSIX rule such as "CET-1CEST,M3.5.0,M10.5.0/3", a copied file).
std::string timeZoneName(const char* tz, const std::filesystem::path& localtime);
// The same for this process: $TZ and /etc/localtime.
std::string systemTimeZoneName();

}  // namespace outlook::local::mirror
