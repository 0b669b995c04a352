#include "shell/file_version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

#include "shell/file_version_record.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

// A small ELF file made by hand: the header, the section names, the version record and the
// section table (null, names, version), in either class and byte order.
struct ElfImage {
    bool is64 = true;
    bool bigEndian = false;
    Bytes bytes;
    std::size_t recordAt = 0, tableAt = 0, entrySize = 0, headerShnum = 0, headerShstrndx = 0;

    std::size_t sectionAt(std::size_t index) const { return tableAt + index * entrySize; }

    void put(std::size_t at, std::uint64_t value, std::size_t size) {
        if (bytes.size() < at + size) bytes.resize(at + size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[at + (bigEndian ? size - 1 - i : i)] =
                static_cast<unsigned char>(value >> (8 * i));
    }
};

ElfImage MakeElf(bool is64, bool bigEndian, const FileVersionRecord& record,
                 const char* sectionName = kFileVersionSection) {
    ElfImage elf;
    elf.is64 = is64;
    elf.bigEndian = bigEndian;
    const std::size_t header = is64 ? 64 : 52, word = is64 ? 8 : 4;
    elf.entrySize = is64 ? 64 : 40;
    elf.bytes.assign(header, 0);
    std::memcpy(elf.bytes.data(),
                "\x7f"
                "ELF",
                4);
    elf.bytes[4] = is64 ? 2 : 1;
    elf.bytes[5] = bigEndian ? 2 : 1;
    elf.bytes[6] = 1;

    const std::string names = std::string("\0.shstrtab\0", 11) + sectionName + '\0';
    const std::size_t namesAt = elf.bytes.size();
    elf.bytes.insert(elf.bytes.end(), names.begin(), names.end());
    elf.recordAt = elf.bytes.size();
    elf.bytes.insert(elf.bytes.end(), record.magic, record.magic + sizeof record.magic);
    elf.put(elf.recordAt + 8, record.fileVersionMS, 4);
    elf.put(elf.recordAt + 12, record.fileVersionLS, 4);
    elf.bytes.insert(elf.bytes.end(), record.text, record.text + sizeof record.text);
    elf.tableAt = elf.bytes.size();

    // name, type, offset, size of the three sections
    const std::size_t nameAt = 0, typeAt = 4, offsetAt = is64 ? 0x18 : 0x10,
                      sizeAt = is64 ? 0x20 : 0x14;
    elf.bytes.resize(elf.tableAt + 3 * elf.entrySize, 0);
    elf.put(elf.sectionAt(1) + nameAt, 1, 4);
    elf.put(elf.sectionAt(1) + typeAt, 3, 4);
    elf.put(elf.sectionAt(1) + offsetAt, namesAt, word);
    elf.put(elf.sectionAt(1) + sizeAt, names.size(), word);
    elf.put(elf.sectionAt(2) + nameAt, 11, 4);
    elf.put(elf.sectionAt(2) + typeAt, 1, 4);
    elf.put(elf.sectionAt(2) + offsetAt, elf.recordAt, word);
    elf.put(elf.sectionAt(2) + sizeAt, sizeof(FileVersionRecord), word);

    elf.put(is64 ? 0x28 : 0x20, elf.tableAt, word);  // e_shoff
    elf.put(is64 ? 0x3A : 0x2E, elf.entrySize, 2);   // e_shentsize
    elf.headerShnum = is64 ? 0x3C : 0x30;
    elf.headerShstrndx = is64 ? 0x3E : 0x32;
    elf.put(elf.headerShnum, 3, 2);
    elf.put(elf.headerShstrndx, 1, 2);
    return elf;
}

constexpr FileVersionRecord kRecord = MakeFileVersionRecord(2, 7, 1, 30, "2.7.1.30");

class FileVersionTest : public ::testing::Test {
protected:
    fs::path write(const Bytes& bytes, const std::string& name = "program") {
        const fs::path path = folder.path() / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static bool none(const FILEVERSION& version) {
        return !version.versionText && version.fileVersionMS == 0 && version.fileVersionLS == 0;
    }

    jotwise::testing::TempFolder folder;
};

#ifdef JOTWISE_PROGRAM_PATH
TEST_F(FileVersionTest, TheBuiltProgramReadsBackTheProjectsVersion) {
    const FILEVERSION version{fs::path(JOTWISE_PROGRAM_PATH)};
    ASSERT_TRUE(version.versionText);
    EXPECT_EQ(*version.versionText, JOTWISE_FILE_VERSION);
    EXPECT_EQ(VersionLabel(version), "Version " JOTWISE_FILE_VERSION);
    const FileVersionRecord expected = MakeFileVersionRecord(
        JOTWISE_VERSION_A, JOTWISE_VERSION_B, JOTWISE_VERSION_C, JOTWISE_VERSION_D, "");
    EXPECT_EQ(version.fileVersionMS, expected.fileVersionMS);
    EXPECT_EQ(version.fileVersionLS, expected.fileVersionLS);
}
#endif

TEST_F(FileVersionTest, EveryClassAndByteOrderIsRead) {
    for (const bool is64 : {false, true}) {
        for (const bool big : {false, true}) {
            const FILEVERSION version{write(MakeElf(is64, big, kRecord).bytes)};
            ASSERT_TRUE(version.versionText) << is64 << big;
            EXPECT_EQ(*version.versionText, "2.7.1.30");
            EXPECT_EQ(version.fileVersionMS, 0x00020007u) << is64 << big;
            EXPECT_EQ(version.fileVersionLS, 0x0001001Eu) << is64 << big;
        }
    }
}

TEST_F(FileVersionTest, OtherProgramsAndOtherFilesHaveNone) {
    EXPECT_TRUE(none(FILEVERSION{fs::path("/bin/sh")}));
    EXPECT_TRUE(none(FILEVERSION{folder.path() / "missing"}));
    EXPECT_TRUE(none(FILEVERSION{folder.path()})) << "a folder";
    EXPECT_TRUE(none(FILEVERSION{write({}, "empty")}));
    EXPECT_TRUE(none(FILEVERSION{write(MakeElf(true, false, kRecord, ".data").bytes)}))
        << "a section of another name";
    EXPECT_EQ(VersionLabel(FILEVERSION{fs::path("/bin/sh")}), "Version unknown");
}

TEST_F(FileVersionTest, AFileCutShortAnywhereHasNone) {
    const Bytes whole = MakeElf(true, false, kRecord).bytes;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const FILEVERSION version{write(Bytes(whole.begin(), whole.begin() + size))};
        EXPECT_TRUE(none(version)) << "cut at " << size;
    }
}

TEST_F(FileVersionTest, DamagedHeadersAndRecordsHaveNone) {
    using Damage = std::function<void(ElfImage&)>;
    const std::vector<std::pair<const char*, Damage>> damages = {
        {"class", [](ElfImage& e) { e.bytes[4] = 3; }},
        {"byte order", [](ElfImage& e) { e.bytes[5] = 0; }},
        {"table past the end", [](ElfImage& e) { e.put(0x28, 0xFFFFFFFFFFFFFF00u, 8); }},
        {"no table", [](ElfImage& e) { e.put(0x28, 0, 8); }},
        {"entries too small", [](ElfImage& e) { e.put(0x3A, 16, 2); }},
        {"too many sections", [](ElfImage& e) { e.put(e.headerShnum, 0xFFFE, 2); }},
        {"names out of range", [](ElfImage& e) { e.put(e.headerShstrndx, 9, 2); }},
        {"name offset out of range", [](ElfImage& e) { e.put(e.sectionAt(2), 0xFFFFFFFF, 4); }},
        {"names past the end", [](ElfImage& e) { e.put(e.sectionAt(1) + 0x18, 1ull << 40, 8); }},
        {"record past the end", [](ElfImage& e) { e.put(e.sectionAt(2) + 0x18, ~0ull - 8, 8); }},
        {"record too small", [](ElfImage& e) { e.put(e.sectionAt(2) + 0x20, 63, 8); }},
        {"record without contents", [](ElfImage& e) { e.put(e.sectionAt(2) + 4, 8, 4); }},
        {"marker", [](ElfImage& e) { e.bytes[e.recordAt] = 'X'; }},
        {"text without its end",
         [](ElfImage& e) { std::fill_n(e.bytes.begin() + e.recordAt + 16, 48, 'x'); }},
        {"empty text", [](ElfImage& e) { e.bytes[e.recordAt + 16] = 0; }},
        {"extended count without a first section",
         [](ElfImage& e) {
             e.put(e.headerShnum, 0, 2);
             e.put(e.headerShstrndx, 0xFFFF, 2);
         }},
    };
    for (const auto& [what, damage] : damages) {
        ElfImage elf = MakeElf(true, false, kRecord);
        damage(elf);
        EXPECT_TRUE(none(FILEVERSION{write(elf.bytes)})) << what;
    }
}

TEST_F(FileVersionTest, ManySectionsCountedInTheFirstSectionAreRead) {
    ElfImage elf = MakeElf(true, false, kRecord);
    elf.put(elf.headerShnum, 0, 2);
    elf.put(elf.headerShstrndx, 0xFFFF, 2);
    elf.put(elf.sectionAt(0) + 0x20, 3, 8);  // sh_size: the count
    elf.put(elf.sectionAt(0) + 0x28, 1, 4);  // sh_link: the names' section
    const FILEVERSION version{write(elf.bytes)};
    EXPECT_EQ(version.versionText.value_or(""), "2.7.1.30");
}

TEST_F(FileVersionTest, RandomBytesNeverCrashTheReader) {
    std::mt19937 random(2112);
    const Bytes valid = MakeElf(true, false, kRecord).bytes;
    for (int round = 0; round < 300; ++round) {
        Bytes bytes = valid;
        // A few bytes changed at random, so that most files still look like ELF files.
        for (int i = 0; i < 1 + round % 6; ++i)
            bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
        const FILEVERSION version{write(bytes)};
        if (version.versionText) {
            EXPECT_LT(version.versionText->size(), 48u);
        }
    }
}

TEST_F(FileVersionTest, ACopyHasTheTextOrUnknown) {
    const FILEVERSION read{write(MakeElf(true, false, kRecord).bytes)};
    const FILEVERSION copy = read;
    EXPECT_EQ(copy.versionText, "2.7.1.30");
    EXPECT_EQ(copy.fileVersionMS, read.fileVersionMS);
    EXPECT_EQ(copy.fileVersionLS, read.fileVersionLS);

    const FILEVERSION missing{fs::path("/bin/sh")};
    FILEVERSION assigned = read;
    assigned = missing;
    EXPECT_EQ(assigned.versionText, "unknown");
    EXPECT_EQ(assigned.fileVersionMS, 0u);
    EXPECT_EQ(FILEVERSION(missing).versionText, "unknown");
}

TEST(FileVersionRecord, ALongTextIsCutToFitWithItsEnd) {
    const FileVersionRecord record =
        MakeFileVersionRecord(1, 2, 3, 4, "1.2.3.4 built from a branch whose name goes on and on");
    EXPECT_EQ(record.text[47], '\0');
    EXPECT_EQ(std::string(record.text).size(), 47u);
    EXPECT_EQ(record.fileVersionMS, 0x00010002u);
    EXPECT_EQ(record.fileVersionLS, 0x00030004u);
}

}  // namespace
}  // namespace shell
