#include "shell/ui/tray_window.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>

#include "messages/ui/logic_guard.h"
#include "notes/ui/note_icons.h"
#include "shell/hidden.h"
#include "shell/ui/product_picture.h"

namespace shell::ui {

TrayWindow::TrayWindow() {
    setObjectName("THidden");
    icon_ = new QSystemTrayIcon(productIcon(), this);
    icon_->setObjectName("imgTray");
    // No context menu of Qt's own: a right click goes to THidden, which pops the menu up.
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayWindow::iconActivated);

    mnuTray_ = new QMenu();
    mnuTray_->setObjectName("mnuTray");
    QAction* newNote = addItem("miNewJotPad", "New Action Note", &THidden::miNewJotPadClick);
    // The key only shows here; the system-wide hot key does the work.
    newNote->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N));
    newNote->setShortcutContext(Qt::WidgetShortcut);
    QFont bold = newNote->font();
    bold.setBold(true);
    newNote->setFont(bold);
    newNote->setIcon(productIcon());
    mnuTray_->setDefaultAction(newNote);
    addItem("miNewContact", "New Contact", &THidden::miNewContactClick)
        ->setIcon(notes::ui::noteIcon(notes::ui::NoteIcon::Contact));
    addItem("miOpenOutlook", "Open Outlook", &THidden::miOpenOutlookClick);
    addItem("miKeywords", "Keywords...", &THidden::miKeywordsClick);
    addItem("miHelp", "Help", &THidden::miHelpClick);
    addItem("miGettingStarted", "Getting Started", &THidden::miGettingStartedClick);
    addItem("s", "About...", &THidden::sClick);
    mnuTray_->addSeparator()->setObjectName("N1");
    addItem("miExit", "Exit", &THidden::miExitClick);
}

TrayWindow::~TrayWindow() {
    icon_->hide();
    delete mnuTray_;
}

QAction* TrayWindow::addItem(const char* name, const char* caption, void (THidden::*handler)()) {
    QAction* item = mnuTray_->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this,
            [this, handler] { forward([&](THidden& logic) { (logic.*handler)(); }); });
    return item;
}

template <class Call>
void TrayWindow::forward(Call&& call) {
    if (logic_) messages::ui::guarded(nullptr, [&] { call(*logic_); });
}

void TrayWindow::iconActivated(QSystemTrayIcon::ActivationReason reason) {
    // A single left click does nothing.
    if (reason == QSystemTrayIcon::DoubleClick)
        forward([](THidden& logic) { logic.TrayDoubleClick(); });
    else if (reason == QSystemTrayIcon::Context)
        forward([](THidden& logic) { logic.TrayRightClick(); });
}

bool TrayWindow::trayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayWindow::addTrayIcon(const std::string& tip) {
    icon_->setToolTip(QString::fromStdString(tip));
    icon_->show();
    return icon_->isVisible();
}

void TrayWindow::removeTrayIcon() {
    icon_->hide();
}

void TrayWindow::popUpTrayMenu() {
    mnuTray_->popup(QCursor::pos());
    mnuTray_->activateWindow();
}

void TrayWindow::beep() {
    QApplication::beep();
}

void TrayWindow::quit(int exitCode) {
    // exit, not quit: quit asks every window to close first, and a note may refuse.
    QCoreApplication::exit(exitCode);
}

}  // namespace shell::ui
