#pragma once

#include <cstddef>
#include <cstdint>

namespace shell {

// The version the build writes into the program's own file and FILEVERSION reads back: one
// record in an ELF section of its own, in the byte order of the machine it was built for.
inline constexpr const char kFileVersionSection[] = ".jotwise.version";
inline constexpr char kFileVersionMagic[8] = {'J', 'W', 'F', 'V', 'E', 'R', '0', '1'};

struct FileVersionRecord {
    char magic[8];
    // The four parts a.b.c.d as two halves: a << 16 | b, and c << 16 | d.
    std::uint32_t fileVersionMS;
    std::uint32_t fileVersionLS;
    // The version as text, ended by a zero byte.
    char text[48];
};
static_assert(sizeof(FileVersionRecord) == 64, "the record's layout is part of the file format");

// The record of version a.b.c.d with its text (cut to fit), made at compile time.
constexpr FileVersionRecord MakeFileVersionRecord(std::uint16_t a, std::uint16_t b, std::uint16_t c,
                                                  std::uint16_t d, const char* text) {
    FileVersionRecord record{};
    for (std::size_t i = 0; i < sizeof record.magic; ++i)
        record.magic[i] = kFileVersionMagic[i];
    record.fileVersionMS = std::uint32_t{a} << 16 | b;
    record.fileVersionLS = std::uint32_t{c} << 16 | d;
    for (std::size_t i = 0; i + 1 < sizeof record.text && text[i] != '\0'; ++i)
        record.text[i] = text[i];
    return record;
}

}  // namespace shell
