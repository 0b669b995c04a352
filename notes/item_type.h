#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace notes {

// What a note becomes when it is filed. The first three are filed into the user's own
// folders; the other three go to recipients. The numbers are the type menu's tags.
enum class ItemType : std::uint8_t {
    Appointment = 0,
    Note = 1,
    Task = 2,
    MailMessage = 3,
    TaskRequest = 4,
    MeetingRequest = 5,
};
inline constexpr int kItemTypeCount = 6;

// The type a tag names, or nothing outside 0 to 5.
std::optional<ItemType> ItemTypeFromNumber(int number);

bool IsMessageType(ItemType type);
// Appointment and Meeting Request, Note and Mail Message, Task and Task Request belong
// together; these give the message type or the base type of each pair.
ItemType ToMessage(ItemType type);
ItemType ToBase(ItemType type);
// Appointments and tasks (and their requests) can repeat; notes and mail cannot.
bool FilesRepeat(ItemType type);

// How the note shows a type: its name (caption and title label), the save button's
// caption and hint, and what it does with the Cc line.
struct ItemTypeLook {
    enum class CcLine { Unchanged, Shown, Hidden };
    std::string_view name;
    std::string_view saveCaption;
    std::string_view saveHint;
    CcLine ccLine;
};
const ItemTypeLook& LookOf(ItemType type);

}  // namespace notes
