#include "shell/ui/trayless_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/ui/explaining_window.h"
#include "shell/ui/product_picture.h"
#include "shell/ui/text_paragraph.h"

namespace shell::ui {
namespace {

QString openNoteText(bool hotKey) {
    const QString shortcut =
        QObject::tr(
            "a keyboard shortcut of your own: in your desktop's keyboard settings, add a custom "
            "shortcut that runs the command %1 (on GNOME: Settings, Keyboard, "
            "Keyboard Shortcuts, Custom Shortcuts).")
            .arg(code("jotwise note"));
    return hotKey ? QObject::tr("<b>Open a note</b> with <b>Ctrl+Alt+N</b>, or with ") + shortcut
                  : QObject::tr("<b>Open a note</b> with ") + shortcut;
}

}  // namespace

TraylessWindow::TraylessWindow(TRegistry& settings, DesktopNotifier& notifier)
    : QDialog(nullptr), logic_(TTraylessNotice::Services{settings, *this, notifier}) {
    setObjectName("TTraylessNotice");
    setWindowTitle(tr("Jotwise without a Tray Icon"));
    setWindowIcon(productIcon());
    setModal(false);

    QLabel* title = heading(this, "lblHeading", tr("Jotwise runs without its icon"));
    title->setWordWrap(true);

    auto* noTray = paragraph(this, "lblNoTray",
                             tr("This desktop has no system tray, so the <b>J</b> icon cannot "
                                "show. Jotwise runs on in the background all the same."));
    lblOpenNote_ = paragraph(this, "lblOpenNote", openNoteText(true));
    auto* icon = paragraph(
        this, "lblGetIcon",
        tr("<b>Get the icon</b>: on GNOME, install the AppIndicator extension from your "
           "distribution's packages, log in again and turn it on in Extensions. The icon shows "
           "as soon as a tray is there."));
    auto* exit = paragraph(this, "lblExit",
                           tr("<b>Leave Jotwise</b> with <b>Exit</b> in a note's <b>J</b> menu, "
                              "or the command %1.")
                               .arg(code("jotwise quit")));
    auto* again =
        paragraph(this, "lblAgain",
                  tr("This window shows once. <b>Help</b> (F1 in a note) says all this again."));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(fontMetrics().height() / 2);
    layout->addWidget(title);
    for (QLabel* part : {noTray, lblOpenNote_, icon, exit})
        layout->addWidget(part);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(again);
    layout->addWidget(closeButtons(this));
    fitToText(*this);
}

TraylessWindow::~TraylessWindow() = default;

void TraylessWindow::showNotice(bool hotKey) {
    lblOpenNote_->setText(openNoteText(hotKey));
    fitToText(*this);
    show();
    raise();
    activateWindow();
}

}  // namespace shell::ui
