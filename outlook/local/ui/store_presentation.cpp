#include "outlook/local/ui/store_presentation.h"

#include <QLocale>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "platform/locale.h"

// The icons are compiled into a static library, whose resources nothing else registers.
// Registration names a function at global scope, so it cannot happen inside a namespace.
static void registerStoreIcons() {
    Q_INIT_RESOURCE(store_icons);
}

namespace outlook::local {

using namespace std::chrono;

QDateTime toDateTime(local_seconds time) {
    const local_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(time - day);
    return QDateTime(
        QDate(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
              static_cast<int>(unsigned(date.day()))),
        QTime(static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
              static_cast<int>(clock.seconds().count())));
}

QString timeText(QTime time) {
    // To the minute, as the notes write times; seconds are dropped, never rounded up.
    constexpr double kMinutesPerDay = 24 * 60;
    return qt(platform::formatTimeOfDay((time.hour() * 60 + time.minute()) / kMinutesPerDay));
}

QString displayText(const DisplayValue& value) {
    if (!value.time) return qt(value.text);
    const QDateTime time = toDateTime(*value.time);
    const QString date = QLocale().toString(time.date(), QLocale::ShortFormat);
    return value.dateOnly ? date : date + "  " + timeText(time.time());
}

namespace {

QIcon storeIcon(const char* themeName, const char* file) {
    static const bool registered = (registerStoreIcons(), true);
    (void)registered;
    return QIcon::fromTheme(themeName, QIcon(QString(":/store/icons/%1.svg").arg(file)));
}

}  // namespace

QIcon repeatIcon() {
    return storeIcon("appointment-recurring", "repeat");
}

QIcon folderIcon(FolderKind folder) {
    const auto icon = storeIcon;
    switch (folder) {
        case FolderKind::Calendar:
            return icon("x-office-calendar", "calendar");
        case FolderKind::Tasks:
            return icon("view-task", "tasks");
        case FolderKind::Notes:
            return icon("knotes", "notes");
        case FolderKind::Contacts:
            return icon("x-office-address-book", "contacts");
        case FolderKind::Journal:
            return icon("x-office-document", "journal");
        case FolderKind::SentItems:
            return icon("mail-send", "sent");
        case FolderKind::Inbox:
            return icon("mail-folder-inbox", "inbox");
        case FolderKind::Outbox:
            return icon("mail-folder-outbox", "outbox");
        case FolderKind::Drafts:
            return icon("document-edit", "drafts");
        case FolderKind::DeletedItems:
            return icon("user-trash", "deleted");
    }
    return {};
}

void restoreSize(QWidget& window, const WindowSizes& sizes, const std::string& name,
                 QSize fallback) {
    const QSize first = fallback.expandedTo(window.sizeHint());
    WindowSize size = sizes.size(name).value_or(WindowSize{first.width(), first.height()});
    if (const QScreen* screen = window.screen()) {
        // The window manager's frame must fit on the screen too. It is known once the window
        // was shown; before that, leave room for a title bar and borders.
        QSize frame = window.frameGeometry().size() - window.size();
        if (frame.isEmpty()) {
            const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
            frame = QSize(2 * border,
                          window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
        }
        const QSize room = screen->availableGeometry().size() - frame;
        size = fittedInto(size, {room.width(), room.height()});
    }
    window.resize(size.width, size.height);
}

void keepSize(const QWidget& window, WindowSizes& sizes, const std::string& name) {
    sizes.setSize(name, {window.width(), window.height()});
}

}  // namespace outlook::local
