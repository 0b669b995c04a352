#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "outlook/object_model.h"

namespace outlook::local {

// The default folders, numbered as GetDefaultFolder numbers them.
enum class FolderKind : int {
    DeletedItems = olFolderDeletedItems,
    Outbox = olFolderOutbox,
    SentItems = olFolderSentMail,
    Inbox = olFolderInbox,
    Calendar = olFolderCalendar,
    Contacts = olFolderContacts,
    Journal = olFolderJournal,
    Notes = olFolderNotes,
    Tasks = olFolderTasks,
    Drafts = olFolderDrafts,
};

struct FolderKindInfo {
    FolderKind kind;
    std::string_view name;            // "Sent Items"
    std::string_view containerClass;  // "IPF.Note"
};

// Every default folder, in the order a new store creates them.
std::span<const FolderKindInfo> defaultFolders();
const FolderKindInfo& folderKindInfo(FolderKind kind);
std::optional<FolderKind> folderKindFromNumber(int number);

}  // namespace outlook::local
