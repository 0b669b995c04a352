#include "shell/ui/getting_started_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "messages/ui/logic_guard.h"

#include "shell/ui/explaining_window.h"
#include "shell/ui/product_picture.h"
#include "shell/ui/text_paragraph.h"

namespace shell::ui {
namespace {

using messages::ui::guarded;

QString openNoteText(bool trayIcon) {
    return trayIcon ? QObject::tr(
                          "<b>Open a note</b> with <b>Ctrl+Alt+N</b> in any program, or "
                          "double-click the J icon in the system tray. A right click on the "
                          "icon shows the menu.")
                    : QObject::tr(
                          "<b>Open a note</b> with <b>Ctrl+Alt+N</b> in any program, or with "
                          "a keyboard shortcut of your own that runs the command %1: add it in "
                          "your desktop's keyboard settings.")
                          .arg(code("jotwise note"));
}

// Where the program's commands are: without a tray icon, every note has them.
QString menuText(bool trayIcon) {
    return trayIcon ? QObject::tr("the tray menu") : QObject::tr("a note's <b>J</b> menu");
}

QString whereItemsText(bool trayIcon) {
    return QObject::tr(
               "<b>Everything is filed</b> in Jotwise's own store on this computer. "
               "<b>Open Outlook</b> in %1 shows it, folder by folder.")
        .arg(menuText(trayIcon));
}

QString contactsText(bool trayIcon) {
    return QObject::tr(
               "<b>Your contacts</b> make notes link to people: add one with <b>New "
               "Contact</b> in %1, or import a vCard file in a terminal:<br>"
               "<code>jotwise-store import-vcard contacts.vcf</code>")
        .arg(menuText(trayIcon));
}

// Getting Started is in the tray menu only; the help page sums up the same.
QString againText(bool trayIcon) {
    return trayIcon ? QObject::tr("<b>Getting Started</b> in the tray menu shows this again.")
                    : QObject::tr("<b>Help</b> (F1 in a note) says all this again.");
}

}  // namespace

GettingStartedWindow::GettingStartedWindow(TRegistry& settings, platform::MessageBoxes& boxes,
                                           std::filesystem::path autostartFolder,
                                           std::filesystem::path programFile,
                                           DesktopCalendarSwitch* desktopCalendar)
    : QDialog(nullptr),
      logic_(TGettingStarted::Services{settings, *this, boxes, std::move(autostartFolder),
                                       std::move(programFile), desktopCalendar}) {
    setObjectName("TGettingStarted");
    setWindowTitle(tr("Getting Started with Jotwise"));
    setWindowIcon(productIcon());
    setModal(false);

    QLabel* welcome = heading(this, "lblWelcome", tr("Welcome to Jotwise"));
    lblOpenNote_ = paragraph(this, "lblOpenNote", openNoteText(true));
    auto* examples = paragraph(
        this, "lblExamples",
        tr("<b>Type one sentence</b> and press <b>Ctrl+S</b>; the note becomes an appointment, "
           "a task, a note or a mail:"
           "<ul style=\"margin-left: 0px; -qt-list-indent: 1;\">"
           "<li><i>lunch with Ann Lee tomorrow at noon</i></li>"
           "<li><i>every other tuesday call the bank</i></li>"
           "<li><i>please ann lee send the budget figures</i></li></ul>"));
    lblWhereItems_ = paragraph(this, "lblWhereItems", whereItemsText(true));
    lblContacts_ = paragraph(this, "lblContacts", contactsText(true));

    chkAutostart_ = new QCheckBox(tr("&Start Jotwise when I log in"), this);
    chkAutostart_->setObjectName("chkAutostart");
    connect(chkAutostart_, &QCheckBox::toggled, this,
            [this](bool on) { guarded(this, [&] { logic_.chkAutostartClick(on); }); });

    chkDesktopCalendar_ = new QCheckBox(tr("Show my notes in the &desktop calendar"), this);
    chkDesktopCalendar_->setObjectName("chkDesktopCalendar");
    chkDesktopCalendar_->setToolTip(
        tr("Appointments, tasks and notes also go into the desktop's own calendar, task and memo "
           "lists, and the desktop's contacts are known to the notes."));
    chkDesktopCalendar_->hide();
    connect(chkDesktopCalendar_, &QCheckBox::toggled, this,
            [this](bool on) { guarded(this, [&] { logic_.chkDesktopCalendarClick(on); }); });

    lblAgain_ = paragraph(this, "lblAgain", againText(true));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(fontMetrics().height() / 2);
    layout->addWidget(welcome);
    for (QLabel* part : {lblOpenNote_, examples, lblWhereItems_, lblContacts_})
        layout->addWidget(part);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(chkAutostart_);
    layout->addWidget(chkDesktopCalendar_);
    layout->addWidget(lblAgain_);
    layout->addWidget(closeButtons(this));
    fitToText(*this);
}

GettingStartedWindow::~GettingStartedWindow() = default;

void GettingStartedWindow::setAutostartChecked(bool on) {
    const QSignalBlocker quiet(chkAutostart_);
    chkAutostart_->setChecked(on);
}

void GettingStartedWindow::setDesktopCalendar(bool offered, bool checked) {
    const QSignalBlocker quiet(chkDesktopCalendar_);
    chkDesktopCalendar_->setChecked(checked);
    if (chkDesktopCalendar_->isVisibleTo(this) != offered) {
        chkDesktopCalendar_->setVisible(offered);
        fitToText(*this);
    }
}

void GettingStartedWindow::setTrayWording(bool trayIcon) {
    lblOpenNote_->setText(openNoteText(trayIcon));
    lblWhereItems_->setText(whereItemsText(trayIcon));
    lblContacts_->setText(contactsText(trayIcon));
    lblAgain_->setText(againText(trayIcon));
    fitToText(*this);
}

void GettingStartedWindow::showAndActivate() {
    show();
    raise();
    activateWindow();
}

}  // namespace shell::ui
