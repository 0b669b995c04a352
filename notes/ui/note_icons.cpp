#include "notes/ui/note_icons.h"

#include <QString>

// The icons are compiled into a static library, whose resources nothing else registers.
// Registration names a function at global scope, so it cannot happen inside a namespace.
static void registerNoteIcons() {
    Q_INIT_RESOURCE(note_icons);
}

namespace notes::ui {
namespace {

struct IconSource {
    const char* themeName;  // empty where no standard name fits
    const char* file;       // our own drawing in the resources
};

IconSource sourceOf(NoteIcon icon) {
    switch (icon) {
        case NoteIcon::Appointment:
            return {"x-office-calendar", "appointment"};
        case NoteIcon::Note:
            return {"", "note"};
        case NoteIcon::Task:
            return {"", "task"};
        case NoteIcon::MailMessage:
            return {"mail-message-new", "mail"};
        case NoteIcon::TaskRequest:
            return {"", "task_request"};
        case NoteIcon::MeetingRequest:
            return {"", "meeting_request"};
        case NoteIcon::MenuArrow:
            return {"", "menu_arrow"};
        case NoteIcon::Logo:
            return {"", "logo"};
        case NoteIcon::Close:
            return {"window-close", "close"};
        case NoteIcon::MailRecipients:
            return {"x-office-address-book", "mail_recipients"};
        case NoteIcon::Attach:
            return {"mail-attachment", "attach"};
        case NoteIcon::Link:
            return {"insert-link", "link"};
        case NoteIcon::Contact:
            return {"contact-new", "contact"};
        case NoteIcon::AddressCard:
            return {"", "address_card"};
        // The on/off pairs are one drawing in colour and in grey: a theme has no such pairs.
        case NoteIcon::DateTimeOn:
            return {"", "datetime_on"};
        case NoteIcon::DateTimeOff:
            return {"", "datetime_off"};
        case NoteIcon::ContactOn:
            return {"", "contact_on"};
        case NoteIcon::ContactOff:
            return {"", "contact_off"};
        case NoteIcon::CategoryOn:
            return {"", "category_on"};
        case NoteIcon::CategoryOff:
            return {"", "category_off"};
        case NoteIcon::Beside:
            return {"", "beside"};
        case NoteIcon::Behind:
            return {"", "behind"};
    }
    return {"", "logo"};
}

}  // namespace

QIcon noteIcon(NoteIcon icon) {
    static const bool registered = (registerNoteIcons(), true);
    (void)registered;

    const IconSource source = sourceOf(icon);
    const QIcon own(QStringLiteral(":/notes/icons/%1.svg").arg(QLatin1String(source.file)));
    if (*source.themeName == '\0') return own;
    return QIcon::fromTheme(QLatin1String(source.themeName), own);
}

QIcon typeIcon(ItemType type) {
    switch (type) {
        case ItemType::Appointment:
            return noteIcon(NoteIcon::Appointment);
        case ItemType::Note:
            return noteIcon(NoteIcon::Note);
        case ItemType::Task:
            return noteIcon(NoteIcon::Task);
        case ItemType::MailMessage:
            return noteIcon(NoteIcon::MailMessage);
        case ItemType::TaskRequest:
            return noteIcon(NoteIcon::TaskRequest);
        case ItemType::MeetingRequest:
            return noteIcon(NoteIcon::MeetingRequest);
    }
    return noteIcon(NoteIcon::Task);
}

}  // namespace notes::ui
