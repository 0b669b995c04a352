#include "outlook/local/store/known_properties.h"

namespace outlook::local {

using namespace mapi;

const KnownName& knownName(Known property) {
    static const std::array<KnownName, kKnownCount> kNames = {{
        {PSETID_Appointment, MNID_ID, 0x820D, {}, PT_SYSTIME, "Start"},
        {PSETID_Appointment, MNID_ID, 0x820E, {}, PT_SYSTIME, "End"},
        {PSETID_Appointment, MNID_ID, 0x8213, {}, PT_LONG, "Duration"},
        {PSETID_Appointment, MNID_ID, 0x8205, {}, PT_LONG, "BusyStatus"},
        {PSETID_Appointment, MNID_ID, 0x8215, {}, PT_BOOLEAN, "AllDayEvent"},
        {PSETID_Appointment, MNID_ID, 0x8217, {}, PT_LONG, "MeetingStatus"},
        {PSETID_Task, MNID_ID, 0x8105, {}, PT_SYSTIME, "DueDate"},
        {PSETID_Task, MNID_ID, 0x8111, {}, PT_LONG, "TotalWork"},
        {PSETID_Task, MNID_ID, 0x8129, {}, PT_LONG, "TaskAssigned"},
        {PSETID_Common, MNID_ID, 0x8503, {}, PT_BOOLEAN, "ReminderSet"},
        {PSETID_Common, MNID_ID, 0x853A, {}, PT_STRING8, "ContactNames"},
        {PSETID_Common, MNID_ID, 0x8539, {}, PT_STRING8, "Companies"},
        {PSETID_Common, MNID_ID, 0x853B, {}, PT_STRING8, "Contacts"},
        {PS_PUBLIC_STRINGS, MNID_STRING, 0, "Keywords", PT_STRING8, "Categories"},
        {PSETID_Address, MNID_ID, 0x8005, {}, PT_STRING8, "FileAs"},
        {PSETID_Address, MNID_ID, 0x8083, {}, PT_STRING8, "Email1Address"},
        {PSETID_Address, MNID_ID, 0x8082, {}, PT_STRING8, "Email1AddressType"},
        {PSETID_Address, MNID_ID, 0x8080, {}, PT_STRING8, "Email1DisplayName"},
        {PSETID_Address, MNID_ID, 0x8022, {}, PT_LONG, "SelectedMailingAddress"},
        {PSETID_Log, MNID_ID, 0x8700, {}, PT_STRING8, "Type"},
        {PSETID_Note, MNID_ID, 0x8B02, {}, PT_LONG, "Width"},
        {PSETID_Note, MNID_ID, 0x8B03, {}, PT_LONG, "Height"},
        {PSETID_Note, MNID_ID, 0x8B04, {}, PT_LONG, "Left"},
        {PSETID_Note, MNID_ID, 0x8B05, {}, PT_LONG, "Top"},
        {PSETID_Appointment, MNID_ID, 0x8208, {}, PT_STRING8, "Location"},
        {PSETID_Task, MNID_ID, 0x8101, {}, PT_LONG, "Status"},
        {PSETID_Common, MNID_ID, 0x8501, {}, PT_LONG, "ReminderMinutesBeforeStart"},
        {PSETID_Common, MNID_ID, 0x8502, {}, PT_SYSTIME, "ReminderTime"},
        // Whole percent, 0-100, as the object model gives it.
        {PSETID_Task, MNID_ID, 0x8102, {}, PT_LONG, "PercentComplete"},
        {PSETID_Task, MNID_ID, 0x810F, {}, PT_SYSTIME, "DateCompleted"},
    }};
    return kNames[static_cast<std::size_t>(property)];
}

MAPINAMEID toNameId(const KnownName& name) {
    MAPINAMEID id;
    id.guid = name.guid;
    id.ulKind = name.kind;
    id.lID = name.id;
    id.name = std::string(name.name);
    return id;
}

}  // namespace outlook::local
