#pragma once

#include <QIcon>

#include "notes/item_type.h"

namespace notes::ui {

// Every picture the note and its shadow show.
enum class NoteIcon {
    Appointment,
    Note,
    Task,
    MailMessage,
    TaskRequest,
    MeetingRequest,
    MenuArrow,
    Logo,
    Close,
    MailRecipients,
    Attach,
    Link,
    Contact,
    AddressCard,
    DateTimeOn,
    DateTimeOff,
    ContactOn,
    ContactOff,
    CategoryOn,
    CategoryOff,
    Beside,
    Behind,
};

// The desktop theme's icon where the theme has one under its standard name, else the
// note's own drawing; never a null icon.
QIcon noteIcon(NoteIcon icon);
QIcon typeIcon(ItemType type);

}  // namespace notes::ui
