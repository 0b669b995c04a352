#include "shell/file_version.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "shell/file_version_record.h"

namespace shell {
namespace {

// The ELF fields the reader needs, from the format's published layout.
constexpr std::size_t kIdentSize = 16;
constexpr unsigned char kClass32 = 1, kClass64 = 2;
constexpr unsigned char kLittleEndian = 1, kBigEndian = 2;
constexpr std::uint32_t kSectionNoBits = 8;
constexpr std::uint16_t kExtendedIndex = 0xffff;
// More sections than any real program has: a header claiming more is damaged.
constexpr std::uint64_t kMostSections = 1u << 20;

// A file opened for reading, closed on every way out.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path) {
        do {
            fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        } while (fd_ < 0 && errno == EINTR);
        struct stat status {};
        if (fd_ >= 0 && fstat(fd_, &status) == 0 && S_ISREG(status.st_mode))
            size_ = static_cast<std::uint64_t>(status.st_size);
    }
    ~ReadOnlyFile() {
        if (fd_ >= 0) close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    std::uint64_t size() const { return size_; }

    // All `count` bytes at `offset`, or false when they are not all in the file.
    bool read(std::uint64_t offset, void* into, std::size_t count) const {
        if (fd_ < 0 || offset > size_ || count > size_ - offset) return false;
        auto* bytes = static_cast<unsigned char*>(into);
        while (count > 0) {
            const ssize_t got = pread(fd_, bytes, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            bytes += got;
            offset += static_cast<std::uint64_t>(got);
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// Numbers in the file's own byte order.
class Decoder {
public:
    explicit Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
    std::uint64_t get(const unsigned char* at, std::size_t bytes) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value |= std::uint64_t{at[bigEndian_ ? bytes - 1 - i : i]} << (8 * i);
        return value;
    }

private:
    bool bigEndian_;
};

// Where each header field sits, for 32- and 64-bit files.
struct Layout {
    std::size_t headerSize;
    std::size_t shoff, shoffSize, shentsize, shnum, shstrndx;
    std::size_t sectionSize;
    std::size_t name, type, offset, size, link, wordSize;
};
constexpr Layout kLayout32{52, 0x20, 4, 0x2E, 0x30, 0x32, 40, 0x00, 0x04, 0x10, 0x14, 0x18, 4};
constexpr Layout kLayout64{64, 0x28, 8, 0x3A, 0x3C, 0x3E, 64, 0x00, 0x04, 0x18, 0x20, 0x28, 8};

struct Section {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

class ElfReader {
public:
    explicit ElfReader(const ReadOnlyFile& file) : file_(file), decode_(false) {}

    // The record of the version section, when the file is an ELF file that has one.
    std::optional<FileVersionRecord> versionRecord() {
        if (!readHeader()) return std::nullopt;
        Section strings;
        if (!section(stringTableIndex_, strings) || strings.type == kSectionNoBits)
            return std::nullopt;
        for (std::uint64_t i = 1; i < sectionCount_; ++i) {
            Section candidate;
            if (!section(i, candidate)) return std::nullopt;
            if (!named(strings, candidate.name, kFileVersionSection)) continue;
            return record(candidate);
        }
        return std::nullopt;
    }

    const Decoder& decoder() const { return decode_; }

private:
    bool readHeader() {
        std::array<unsigned char, 64> header{};
        if (!file_.read(0, header.data(), kIdentSize)) return false;
        if (std::memcmp(header.data(),
                        "\x7f"
                        "ELF",
                        4) != 0)
            return false;
        if (header[4] == kClass32)
            layout_ = &kLayout32;
        else if (header[4] == kClass64)
            layout_ = &kLayout64;
        else
            return false;
        if (header[5] != kLittleEndian && header[5] != kBigEndian) return false;
        decode_ = Decoder(header[5] == kBigEndian);
        if (!file_.read(0, header.data(), layout_->headerSize)) return false;

        sectionTable_ = decode_.get(&header[layout_->shoff], layout_->shoffSize);
        entrySize_ = decode_.get(&header[layout_->shentsize], 2);
        sectionCount_ = decode_.get(&header[layout_->shnum], 2);
        stringTableIndex_ = decode_.get(&header[layout_->shstrndx], 2);
        if (sectionTable_ == 0 || entrySize_ < layout_->sectionSize) return false;
        // Many sections: the counts are kept in the first section's header instead.
        const std::uint64_t declaredCount = sectionCount_;
        if (declaredCount == 0 || stringTableIndex_ == kExtendedIndex) {
            sectionCount_ = 1;  // enough to read the first section
            Section first;
            if (!section(0, first)) return false;
            sectionCount_ = declaredCount == 0 ? first.size : declaredCount;
            if (stringTableIndex_ == kExtendedIndex) stringTableIndex_ = first.link;
        }
        if (sectionCount_ == 0 || sectionCount_ > kMostSections) return false;
        // The whole table lies inside the file (no overflow: both factors are bounded).
        const std::uint64_t tableSize = sectionCount_ * entrySize_;
        return sectionTable_ <= file_.size() && tableSize <= file_.size() - sectionTable_;
    }

    bool section(std::uint64_t index, Section& into) const {
        if (index >= sectionCount_) return false;
        std::array<unsigned char, 64> entry{};
        if (!file_.read(sectionTable_ + index * entrySize_, entry.data(), layout_->sectionSize))
            return false;
        const std::size_t word = layout_->wordSize;
        into.name = static_cast<std::uint32_t>(decode_.get(&entry[layout_->name], 4));
        into.type = static_cast<std::uint32_t>(decode_.get(&entry[layout_->type], 4));
        into.offset = decode_.get(&entry[layout_->offset], word);
        into.size = decode_.get(&entry[layout_->size], word);
        into.link = static_cast<std::uint32_t>(decode_.get(&entry[layout_->link], 4));
        return true;
    }

    // Whether the section name at `at` in the string table is `wanted`, zero byte included.
    bool named(const Section& strings, std::uint32_t at, std::string_view wanted) const {
        const std::size_t length = wanted.size() + 1;
        if (at >= strings.size || length > strings.size - at) return false;
        std::array<char, sizeof(kFileVersionSection)> name{};
        static_assert(sizeof(kFileVersionSection) <= 64);
        if (length > name.size() || !file_.read(strings.offset + at, name.data(), length))
            return false;
        return std::string_view(name.data(), length - 1) == wanted && name[length - 1] == '\0';
    }

    std::optional<FileVersionRecord> record(const Section& found) const {
        if (found.type == kSectionNoBits || found.size < sizeof(FileVersionRecord))
            return std::nullopt;
        FileVersionRecord record{};
        if (!file_.read(found.offset, &record, sizeof record)) return std::nullopt;
        if (std::memcmp(record.magic, kFileVersionMagic, sizeof record.magic) != 0)
            return std::nullopt;
        return record;
    }

    const ReadOnlyFile& file_;
    Decoder decode_;
    const Layout* layout_ = nullptr;
    std::uint64_t sectionTable_ = 0, entrySize_ = 0, sectionCount_ = 0, stringTableIndex_ = 0;
};

}  // namespace

FILEVERSION::FILEVERSION(const std::filesystem::path& path) : file(path) {
    const ReadOnlyFile opened(path);
    ElfReader reader(opened);
    const std::optional<FileVersionRecord> record = reader.versionRecord();
    if (!record) return;
    const char* text = record->text;
    const std::size_t length = strnlen(text, sizeof record->text);
    // Without its zero byte the text was cut short or damaged.
    if (length == 0 || length == sizeof record->text) return;
    const auto* ms = reinterpret_cast<const unsigned char*>(&record->fileVersionMS);
    const auto* ls = reinterpret_cast<const unsigned char*>(&record->fileVersionLS);
    fileVersionMS = static_cast<std::uint32_t>(reader.decoder().get(ms, 4));
    fileVersionLS = static_cast<std::uint32_t>(reader.decoder().get(ls, 4));
    versionText.emplace(text, length);
}

FILEVERSION::FILEVERSION(const FILEVERSION& other)
    : versionText(other.versionText.value_or("unknown")),
      fileVersionMS(other.fileVersionMS),
      fileVersionLS(other.fileVersionLS),
      file(other.file) {}

FILEVERSION& FILEVERSION::operator=(const FILEVERSION& other) {
    if (this != &other) {
        versionText = other.versionText.value_or("unknown");
        fileVersionMS = other.fileVersionMS;
        fileVersionLS = other.fileVersionLS;
        file = other.file;
    }
    return *this;
}

std::string VersionLabel(const FILEVERSION& version) {
    return "Version " + version.versionText.value_or("unknown");
}

}  // namespace shell
