#include "shell/ui/about_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/file_version.h"
#include "shell/startup.h"
#include "shell/ui/product_picture.h"

namespace shell::ui {
namespace {

constexpr int kOkResult = 1;
constexpr int kPictureHeight = 250;

}  // namespace

AboutWindow::AboutWindow(std::filesystem::path programFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), programFile_(std::move(programFile)) {
    setObjectName("TAbout");
    setWindowTitle(QString("About ") + kProgramTitle);
    setModal(true);
    makeFramedWindow(*this);

    auto* picture = new ProductPicture(this);
    picture->setObjectName("imgAbout");
    picture->setFixedHeight(kPictureHeight);

    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName("lblVersion");
    lblVersion_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    lblHint_ = new QLabel("Press Ctrl+Alt+N to jot an action note.", this);
    lblHint_->setObjectName("lblHint");
    lblHint_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblHint_->setWordWrap(true);
    QFont small = lblHint_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblHint_->setFont(small);
    useColours();

    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    // Nothing takes the focus, so the window opens with none; Enter still presses OK.
    btnOK_->setFocusPolicy(Qt::NoFocus);
    btnOK_->setMinimumWidth(88);
    connect(btnOK_, &QPushButton::clicked, this, [this] { done(kOkResult); });

    // Laid out from the texts' own sizes, so that a larger font still fits the fixed window.
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(24, 12, 24, 0);
    texts->setSpacing(6);
    texts->addWidget(lblVersion_);
    texts->addWidget(lblHint_);
    auto* button = new QHBoxLayout;
    button->addStretch();
    button->addWidget(btnOK_);
    button->addStretch();
    auto* layout = new QVBoxLayout(this);
    // One pixel all round is the border's.
    layout->setContentsMargins(1, 1, 1, 24);
    layout->setSpacing(0);
    layout->addWidget(picture);
    layout->addLayout(texts);
    layout->addStretch();
    layout->addLayout(button);
}

int AboutWindow::showModal() {
    return exec();
}

void AboutWindow::bringToFront() {
    raise();
    activateWindow();
}

void AboutWindow::showEvent(QShowEvent* event) {
    lblVersion_->setText(QString::fromStdString(VersionLabel(FILEVERSION(programFile_))));
    QDialog::showEvent(event);
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    paintThinBorder(*this);
}

void AboutWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && lblVersion_) useColours();
}

void AboutWindow::useColours() {
    useFramedText(*lblVersion_, false);
    useFramedText(*lblHint_, true);
}

}  // namespace shell::ui
