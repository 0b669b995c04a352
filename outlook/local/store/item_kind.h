#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "outlook/local/store/folder_kind.h"

namespace outlook::local {

// What an item is, as told by its message class.
enum class ItemKind {
    Mail,
    Appointment,
    Contact,
    Task,
    Journal,
    Note,
    MeetingRequest,
    TaskRequest
};

// CreateItem's numbers: 0 mail, 1 appointment, 2 contact, 3 task, 4 journal, 5 note.
std::optional<ItemKind> itemKindFromCreateNumber(int number);
std::string_view messageClassOf(ItemKind kind);
// By the class's prefix ("IPM.Contact.Custom" is a contact); unknown classes are mail.
ItemKind itemKindFromMessageClass(std::string_view messageClass);
// Where a new item of this kind lives.
FolderKind defaultFolderOf(ItemKind kind);
// "an appointment item", for error texts.
std::string describeKind(ItemKind kind);
// The object model's class number (Class property).
int objectClassOf(ItemKind kind);

}  // namespace outlook::local
