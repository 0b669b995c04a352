#pragma once

#include <array>
#include <string_view>

#include "outlook/mapi.h"

namespace outlook::local {

// Property sets of the named properties the store itself uses.
inline constexpr mapi::GUID PSETID_Appointment{
    0x00062002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr mapi::GUID PSETID_Task{0x00062003, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr mapi::GUID PSETID_Common{
    0x00062008, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr mapi::GUID PSETID_Log{0x0006200A, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr mapi::GUID PSETID_Note{0x0006200E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr mapi::GUID PS_PUBLIC_STRINGS{
    0x00020329, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// A named property of this program's own, named by a string in PS_PUBLIC_STRINGS
// ("Jotwise.RecurrencePattern").
inline mapi::MAPINAMEID publicStringName(const char* text) {
    mapi::MAPINAMEID name;
    name.guid = PS_PUBLIC_STRINGS;
    name.ulKind = mapi::MNID_STRING;
    name.name = text;
    return name;
}

// The named properties behind object-model properties that have no fixed tag.
enum class Known {
    Start,
    End,
    Duration,
    BusyStatus,
    AllDayEvent,
    MeetingStatus,
    DueDate,
    TotalWork,
    TaskAssigned,
    ReminderSet,
    ContactNames,
    Companies,
    Contacts,
    Categories,
    FileAs,
    Email1Address,
    Email1AddressType,
    Email1DisplayName,
    SelectedMailingAddress,
    JournalType,
    NoteWidth,
    NoteHeight,
    NoteLeft,
    NoteTop,
    Location,
    TaskStatus,
    ReminderMinutesBeforeStart,
    ReminderTime,
    PercentComplete,
    DateCompleted,
    Count_
};

inline constexpr std::size_t kKnownCount = static_cast<std::size_t>(Known::Count_);

struct KnownName {
    mapi::GUID guid;
    mapi::ULONG kind = mapi::MNID_ID;
    std::int32_t id = 0;
    std::string_view name;  // for MNID_STRING
    mapi::ULONG type = mapi::PT_STRING8;
    std::string_view label;  // what listings call it
};

const KnownName& knownName(Known property);
mapi::MAPINAMEID toNameId(const KnownName& name);

// The store's tags for the known named properties (resolved when the store opens).
class KnownTags {
public:
    mapi::PropTag operator[](Known property) const {
        return tags_[static_cast<std::size_t>(property)];
    }
    void set(Known property, mapi::PropTag tag) { tags_[static_cast<std::size_t>(property)] = tag; }

private:
    std::array<mapi::PropTag, kKnownCount> tags_{};
};

}  // namespace outlook::local
