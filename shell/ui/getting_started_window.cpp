#include "shell/ui/getting_started_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "messages/ui/logic_guard.h"

#include "shell/ui/product_picture.h"
#include "shell/ui/text_paragraph.h"

namespace shell::ui {
namespace {

using messages::ui::guarded;

// About this many characters of the window's font to a line: short enough to read, wide
// enough for the command to import contacts on one line.
constexpr int kLineLength = 58;

}  // namespace

GettingStartedWindow::GettingStartedWindow(TRegistry& settings, platform::MessageBoxes& boxes,
                                           std::filesystem::path autostartFolder,
                                           std::filesystem::path programFile)
    : QDialog(nullptr),
      logic_(TGettingStarted::Services{settings, *this, boxes, std::move(autostartFolder),
                                       std::move(programFile)}) {
    setObjectName("TGettingStarted");
    setWindowTitle(tr("Getting Started with Jotwise"));
    setWindowIcon(productIcon());
    setModal(false);

    auto* welcome = new QLabel(tr("Welcome to Jotwise"), this);
    welcome->setObjectName("lblWelcome");
    QFont larger = welcome->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.4);
    larger.setBold(true);
    welcome->setFont(larger);

    auto* open = paragraph(
        this, "lblOpenNote",
        tr("<b>Open a note</b> with <b>Ctrl+Alt+N</b> in any program, or double-click the "
           "J icon in the system tray. A right click on the icon shows the menu."));
    auto* examples = paragraph(
        this, "lblExamples",
        tr("<b>Type one sentence</b> and press <b>Ctrl+S</b>; the note becomes an appointment, "
           "a task, a note or a mail:"
           "<ul style=\"margin-left: 0px; -qt-list-indent: 1;\">"
           "<li><i>lunch with Ann Lee tomorrow at noon</i></li>"
           "<li><i>every other tuesday call the bank</i></li>"
           "<li><i>please ann lee send the budget figures</i></li></ul>"));
    auto* store =
        paragraph(this, "lblWhereItems",
                  tr("<b>Everything is filed</b> in Jotwise's own store on this computer. "
                     "<b>Open Outlook</b> in the tray menu shows it, folder by folder."));
    auto* contacts = paragraph(
        this, "lblContacts",
        tr("<b>Your contacts</b> make notes link to people: add one with <b>New Contact</b> in "
           "the tray menu, or import a vCard file in a terminal:<br>"
           "<code>jotwise-store import-vcard contacts.vcf</code>"));

    chkAutostart_ = new QCheckBox(tr("&Start Jotwise when I log in"), this);
    chkAutostart_->setObjectName("chkAutostart");
    connect(chkAutostart_, &QCheckBox::toggled, this,
            [this](bool on) { guarded(this, [&] { logic_.chkAutostartClick(on); }); });

    auto* again = paragraph(this, "lblAgain",
                            tr("<b>Getting Started</b> in the tray menu shows this again."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName("btnClose");
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(fontMetrics().height() / 2);
    layout->addWidget(welcome);
    for (QWidget* part : {open, examples, store, contacts})
        layout->addWidget(part);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(chkAutostart_);
    layout->addWidget(again);
    layout->addWidget(buttons);

    // The width follows the font, and the height follows the wrapped texts at that width
    // (set, not adjusted: adjusting would keep it within two thirds of a small screen).
    const int width = fontMetrics().averageCharWidth() * kLineLength;
    setMinimumWidth(width);
    resize(width, layout->totalHeightForWidth(width));
}

GettingStartedWindow::~GettingStartedWindow() = default;

void GettingStartedWindow::setAutostartChecked(bool on) {
    const QSignalBlocker quiet(chkAutostart_);
    chkAutostart_->setChecked(on);
}

void GettingStartedWindow::showAndActivate() {
    show();
    raise();
    activateWindow();
}

}  // namespace shell::ui
