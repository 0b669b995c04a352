#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/mapi.h"
#include "outlook/session/contact_row.h"

namespace outlook {

// Which Contacts folder the rows were read from, and when it had last changed
// (PR_LOCAL_COMMIT_TIME_MAX). Rows kept from that folder stay good while its change time is
// the same.
struct ContactsVersion {
    mapi::Binary store;
    mapi::Binary folder;
    std::int64_t changed = 0;
    friend bool operator==(const ContactsVersion&, const ContactsVersion&) = default;
};

// The Contacts table's rows kept in a file between runs, so that a run that finds the folder
// unchanged need not read the whole table again. The file is a copy of what the store says:
// one that is missing, damaged, of another format or of another version of the folder is
// simply not used.
std::string EncodeContactCache(const ContactsVersion& version, const std::vector<ContactRow>& rows);
// The rows, when `content` is a whole cache of exactly `version`.
std::optional<std::vector<ContactRow>> DecodeContactCache(std::string_view content,
                                                          const ContactsVersion& version);

// This user's cache file: "jotwise/contacts.cache" in the user's cache folder.
std::filesystem::path DefaultContactCacheFile();

std::optional<std::vector<ContactRow>> ReadContactCache(const std::filesystem::path& file,
                                                        const ContactsVersion& version);
// Replaces the file (readable by this user only). A failure leaves no cache and is not told:
// the next run reads the table as if there had never been one.
void WriteContactCache(const std::filesystem::path& file, const ContactsVersion& version,
                       const std::vector<ContactRow>& rows);

}  // namespace outlook
