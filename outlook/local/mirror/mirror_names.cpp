#include "outlook/local/mirror/mirror_names.h"

namespace outlook::local::mirror {
namespace {

constexpr std::string_view kUidSuffix = "-jotwise";

bool isUpperHex(std::string_view text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

}  // namespace

std::string_view folderName(MirrorFolder folder) {
    switch (folder) {
        case MirrorFolder::Calendar:
            return "calendar";
        case MirrorFolder::Tasks:
            return "tasks";
        case MirrorFolder::Contacts:
            return "contacts";
        case MirrorFolder::Journal:
            return "journal";
    }
    return "calendar";
}

std::string_view fileExtension(MirrorFolder folder) {
    return folder == MirrorFolder::Contacts ? ".vcf" : ".ics";
}

std::optional<MirrorFolder> mirrorFolderOf(ItemKind kind, FolderKind folder) {
    if (folder == FolderKind::DeletedItems) return std::nullopt;
    const bool sentCopy = folder == FolderKind::SentItems || folder == FolderKind::Outbox;
    switch (kind) {
        case ItemKind::Appointment:
            return MirrorFolder::Calendar;
        case ItemKind::MeetingRequest:
            if (sentCopy) return std::nullopt;
            return MirrorFolder::Calendar;
        case ItemKind::Task:
            return MirrorFolder::Tasks;
        case ItemKind::TaskRequest:
            if (sentCopy) return std::nullopt;
            return MirrorFolder::Tasks;
        case ItemKind::Contact:
            return MirrorFolder::Contacts;
        case ItemKind::Journal:
        case ItemKind::Note:
            return MirrorFolder::Journal;
        case ItemKind::Mail:
            return std::nullopt;
    }
    return std::nullopt;
}

std::string uidOf(const mapi::EntryId& entryId) {
    return mapi::HexFromBin(entryId) + std::string(kUidSuffix);
}

std::optional<mapi::EntryId> entryIdOfUid(std::string_view uid) {
    if (uid.size() <= kUidSuffix.size() || !uid.ends_with(kUidSuffix)) return std::nullopt;
    const std::string_view hex = uid.substr(0, uid.size() - kUidSuffix.size());
    // Only the form uidOf writes, so that each entry id has exactly one UID and file name.
    if (!isUpperHex(hex)) return std::nullopt;
    return mapi::FBinFromHex(hex);
}

std::string fileNameOf(MirrorFolder folder, std::string_view uid) {
    return std::string(uid) + std::string(fileExtension(folder));
}

std::optional<std::string> uidOfFileName(MirrorFolder folder, std::string_view fileName) {
    const std::string_view extension = fileExtension(folder);
    if (!fileName.ends_with(extension)) return std::nullopt;
    const std::string_view uid = fileName.substr(0, fileName.size() - extension.size());
    if (!entryIdOfUid(uid)) return std::nullopt;
    return std::string(uid);
}

}  // namespace outlook::local::mirror
