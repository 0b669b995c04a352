#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "outlook/local/store/folder_kind.h"
#include "outlook/object_model.h"

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

// The kind CreateItem makes for an OlItemType.
std::optional<ItemKind> itemKindFromCreateNumber(int number);
std::string_view messageClassOf(ItemKind kind);
// By the class's prefix ("IPM.Contact.Custom" is a contact); unknown classes are mail.
ItemKind itemKindFromMessageClass(std::string_view messageClass);
// Where a new item of this kind lives.
FolderKind defaultFolderOf(ItemKind kind);
// "an appointment item", for error texts.
std::string describeKind(ItemKind kind);
// The item's Class property.
int objectClassOf(ItemKind kind);

}  // namespace outlook::local
