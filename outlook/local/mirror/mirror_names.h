#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "outlook/local/store/folder_kind.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/mapi.h"

namespace outlook::local::mirror {

// The folders of a mirror, one vdir collection each.
enum class MirrorFolder { Calendar, Tasks, Contacts, Journal };

inline constexpr MirrorFolder kMirrorFolders[] = {MirrorFolder::Calendar, MirrorFolder::Tasks,
                                                  MirrorFolder::Contacts, MirrorFolder::Journal};

// "calendar", "tasks", "contacts", "journal".
std::string_view folderName(MirrorFolder folder);
// ".ics", or ".vcf" for contacts.
std::string_view fileExtension(MirrorFolder folder);

// Where an item of this kind in this store folder is mirrored; nothing when it is not: mail,
// anything in Deleted Items, and the copies of meeting and task requests kept in Sent Items
// and the Outbox (the appointment or task they were sent from is mirrored itself).
std::optional<MirrorFolder> mirrorFolderOf(ItemKind kind, FolderKind folder);

// An item's UID: the upper-case hex of its entry id followed by "-jotwise". Only letters,
// digits and "-" appear in it, so synchronisers use it unchanged as the name on a server.
std::string uidOf(const mapi::EntryId& entryId);
// The entry id a UID was made from; nothing when it is not such a UID.
std::optional<mapi::EntryId> entryIdOfUid(std::string_view uid);
// The file name of an item: its UID and the folder's extension.
std::string fileNameOf(MirrorFolder folder, std::string_view uid);
// The UID a file name of that folder was made from; nothing for any other file.
std::optional<std::string> uidOfFileName(MirrorFolder folder, std::string_view fileName);

}  // namespace outlook::local::mirror
