#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace shell {

// The version written into a program file by its build (see file_version_record.h), read
// at construction. A file without one (another program, a truncated or damaged file,
// something that is no ELF file at all) leaves versionText empty and both halves 0.
class FILEVERSION {
public:
    explicit FILEVERSION(const std::filesystem::path& file);
    // A copy has the text, or "unknown" when there was none.
    FILEVERSION(const FILEVERSION& other);
    FILEVERSION& operator=(const FILEVERSION& other);

    std::optional<std::string> versionText;
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::filesystem::path file;
};

// "Version " and the version text, or "Version unknown": what the splash and About show.
std::string VersionLabel(const FILEVERSION& version);

}  // namespace shell
