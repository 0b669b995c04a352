#include "outlook/local/store/folder_kind.h"

#include <array>

namespace outlook::local {
namespace {

constexpr std::array<FolderKindInfo, 10> kFolders = {{
    {FolderKind::Inbox, "Inbox", "IPF.Note"},
    {FolderKind::Outbox, "Outbox", "IPF.Note"},
    {FolderKind::SentItems, "Sent Items", "IPF.Note"},
    {FolderKind::DeletedItems, "Deleted Items", "IPF.Note"},
    {FolderKind::Drafts, "Drafts", "IPF.Note"},
    {FolderKind::Calendar, "Calendar", "IPF.Appointment"},
    {FolderKind::Contacts, "Contacts", "IPF.Contact"},
    {FolderKind::Tasks, "Tasks", "IPF.Task"},
    {FolderKind::Notes, "Notes", "IPF.StickyNote"},
    {FolderKind::Journal, "Journal", "IPF.Journal"},
}};

}  // namespace

std::span<const FolderKindInfo> defaultFolders() {
    return kFolders;
}

const FolderKindInfo& folderKindInfo(FolderKind kind) {
    for (const auto& info : kFolders)
        if (info.kind == kind) return info;
    return kFolders[0];
}

std::optional<FolderKind> folderKindFromNumber(int number) {
    for (const auto& info : kFolders)
        if (static_cast<int>(info.kind) == number) return info.kind;
    return std::nullopt;
}

}  // namespace outlook::local
