#include "outlook/session/contact_cache.h"

#include <cstring>

#include "platform/atomic_file.h"
#include "platform/user_folders.h"
#include "platform/whole_file.h"

namespace outlook {
namespace {

constexpr std::string_view kMagic = "jotwise contacts 2\n";
// Far above any real address book; a larger file is not a cache of ours.
constexpr std::size_t kMaxFileBytes = 256u << 20;

// Enough to tell a damaged file, which is all it is for: eight bytes at a time, as an
// FNV-style multiply and xor.
std::uint64_t checksum(std::string_view bytes) {
    constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t hash = 14695981039346656037ull ^ bytes.size();
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + at, 8);
        hash = (hash ^ word) * kPrime;
        hash ^= hash >> 29;
    }
    for (; at < bytes.size(); ++at)
        hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
    return hash;
}

class Writer {
public:
    explicit Writer(std::string_view start = {}) : out_(start) {}
    void number(std::uint64_t value) { out_.append(reinterpret_cast<const char*>(&value), 8); }
    void bytes(std::string_view value) {
        number(value.size());
        out_ += value;
    }
    void bytes(const mapi::Binary& value) {
        bytes(std::string_view(reinterpret_cast<const char*>(value.data()), value.size()));
    }
    const std::string& text() const { return out_; }

private:
    std::string out_;
};

// Reads what Writer wrote; every read past the end fails and leaves the reader failed.
class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}
    bool failed() const { return failed_; }
    bool atEnd() const { return in_.empty(); }

    std::uint64_t number() {
        const std::string_view raw = take(8);
        std::uint64_t value = 0;
        if (!failed_) std::memcpy(&value, raw.data(), 8);
        return value;
    }
    std::string_view bytes() { return take(number()); }
    mapi::Binary binary() {
        const std::string_view raw = bytes();
        return mapi::Binary(raw.begin(), raw.end());
    }

private:
    std::string_view take(std::uint64_t size) {
        if (failed_ || size > in_.size()) {
            failed_ = true;
            in_ = {};
            return {};
        }
        const std::string_view taken = in_.substr(0, size);
        in_.remove_prefix(size);
        return taken;
    }

    std::string_view in_;
    bool failed_ = false;
};

}  // namespace

std::string EncodeContactCache(const ContactsVersion& version,
                               const std::vector<ContactRow>& rows) {
    Writer body;
    body.bytes(version.store);
    body.bytes(version.folder);
    body.number(static_cast<std::uint64_t>(version.changed));
    body.number(rows.size());
    for (const auto& row : rows) {
        body.bytes(row.key);
        body.bytes(row.names.givenName);
        body.bytes(row.names.surname);
        body.bytes(row.names.company);
        body.number(row.originalEntryId ? 1 : 0);
        if (row.originalEntryId) body.bytes(*row.originalEntryId);
    }
    Writer file(kMagic);
    file.number(checksum(body.text()));
    return file.text() + body.text();
}

std::optional<std::vector<ContactRow>> DecodeContactCache(std::string_view content,
                                                          const ContactsVersion& version) {
    if (!content.starts_with(kMagic)) return std::nullopt;
    Reader header(content.substr(kMagic.size()));
    const std::uint64_t sum = header.number();
    if (header.failed()) return std::nullopt;
    const std::string_view rest = content.substr(kMagic.size() + 8);
    if (checksum(rest) != sum) return std::nullopt;

    Reader in(rest);
    ContactsVersion stored;
    stored.store = in.binary();
    stored.folder = in.binary();
    stored.changed = static_cast<std::int64_t>(in.number());
    const std::uint64_t count = in.number();
    if (in.failed() || stored != version) return std::nullopt;
    std::vector<ContactRow> rows;
    // Each row takes at least five numbers: a count past that is not to be believed.
    if (count > rest.size() / 40) return std::nullopt;
    rows.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string key(in.bytes()), given(in.bytes()), surname(in.bytes()), company(in.bytes());
        std::optional<mapi::Binary> original;
        if (in.number() != 0) original = in.binary();
        if (in.failed()) return std::nullopt;
        rows.emplace_back(std::move(key), std::move(given), std::move(surname), std::move(company),
                          std::move(original));
    }
    if (!in.atEnd()) return std::nullopt;
    return rows;
}

std::filesystem::path DefaultContactCacheFile() {
    return platform::userCacheFolder() / "jotwise" / "contacts.cache";
}

std::optional<std::vector<ContactRow>> ReadContactCache(const std::filesystem::path& file,
                                                        const ContactsVersion& version) {
    const platform::WholeFile read = platform::readWholeFile(file, kMaxFileBytes);
    if (read.status != platform::WholeFile::Status::Read) return std::nullopt;
    return DecodeContactCache(read.content, version);
}

void WriteContactCache(const std::filesystem::path& file, const ContactsVersion& version,
                       const std::vector<ContactRow>& rows) {
    // Not synced: after a crash the file may be empty, and an empty file is no cache.
    platform::writeFileAtomically(file, EncodeContactCache(version, rows), 0600, nullptr, {},
                                  platform::Durability::Deferred);
}

}  // namespace outlook
