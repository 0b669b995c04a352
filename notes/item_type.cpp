#include "notes/item_type.h"

#include <array>

namespace notes {
namespace {

using CcLine = ItemTypeLook::CcLine;

constexpr std::array<ItemTypeLook, kItemTypeCount> kLooks = {{
    {"Appointment", "&Save", "Save appointment", CcLine::Unchanged},
    {"Note", "&Save", "Save note", CcLine::Unchanged},
    {"Task", "&Save", "Save task", CcLine::Unchanged},
    {"Mail Message", "&Send", "Send mail message", CcLine::Shown},
    {"Task Request", "&Send", "Send task request", CcLine::Hidden},
    {"Meeting Request", "&Send", "Send meeting request", CcLine::Shown},
}};

}  // namespace

std::optional<ItemType> ItemTypeFromNumber(int number) {
    if (number < 0 || number >= kItemTypeCount) return std::nullopt;
    return static_cast<ItemType>(number);
}

bool IsMessageType(ItemType type) {
    return static_cast<int>(type) >= static_cast<int>(ItemType::MailMessage);
}

bool FilesRepeat(ItemType type) {
    const ItemType base = ToBase(type);
    return base == ItemType::Appointment || base == ItemType::Task;
}

ItemType ToMessage(ItemType type) {
    switch (type) {
        case ItemType::Appointment:
            return ItemType::MeetingRequest;
        case ItemType::Note:
            return ItemType::MailMessage;
        case ItemType::Task:
            return ItemType::TaskRequest;
        default:
            return type;
    }
}

ItemType ToBase(ItemType type) {
    switch (type) {
        case ItemType::MeetingRequest:
            return ItemType::Appointment;
        case ItemType::MailMessage:
            return ItemType::Note;
        case ItemType::TaskRequest:
            return ItemType::Task;
        default:
            return type;
    }
}

const ItemTypeLook& LookOf(ItemType type) {
    return kLooks[static_cast<std::size_t>(type)];
}

}  // namespace notes
