#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace outlook::local {

// The default folders, numbered as the object model's GetDefaultFolder numbers them.
enum class FolderKind : int {
    DeletedItems = 3,
    Outbox = 4,
    SentItems = 5,
    Inbox = 6,
    Calendar = 9,
    Contacts = 10,
    Journal = 11,
    Notes = 12,
    Tasks = 13,
    Drafts = 16,
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
