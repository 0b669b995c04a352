#include "shell/ui/about_window.h"

#include <QLabel>
#include <QPushButton>

#include "shell/file_version.h"
#include "shell/startup.h"
#include "shell/ui/product_picture.h"

namespace shell::ui {
namespace {

constexpr int kWidth = kFramedWindowWidth;
constexpr int kHeight = kFramedWindowHeight;
constexpr int kOkResult = 1;

}  // namespace

AboutWindow::AboutWindow(std::filesystem::path programFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), programFile_(std::move(programFile)) {
    setObjectName("TAbout");
    setWindowTitle(QString("About ") + kProgramTitle);
    setModal(true);
    makeFramedWhiteWindow(*this);

    auto* picture = new ProductPicture(this);
    picture->setObjectName("imgAbout");
    picture->setGeometry(1, 1, kWidth - 2, 250);

    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName("lblVersion");
    lblVersion_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    lblVersion_->setGeometry(24, 268, kWidth - 48, 22);
    QPalette grey = lblVersion_->palette();
    grey.setColor(QPalette::WindowText, QColor(0x4a, 0x55, 0x62));
    lblVersion_->setPalette(grey);

    auto* hint = new QLabel("Press Ctrl+Alt+N to jot an action note.", this);
    hint->setObjectName("lblHint");
    hint->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    hint->setWordWrap(true);
    hint->setGeometry(32, 296, kWidth - 64, 40);
    QPalette muted = hint->palette();
    muted.setColor(QPalette::WindowText, QColor(0x7a, 0x85, 0x92));
    hint->setPalette(muted);
    QFont small = hint->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    hint->setFont(small);

    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    // Nothing takes the focus, so the window opens with none; Enter still presses OK.
    btnOK_->setFocusPolicy(Qt::NoFocus);
    btnOK_->setGeometry((kWidth - 88) / 2, kHeight - 56, 88, 30);
    connect(btnOK_, &QPushButton::clicked, this, [this] { done(kOkResult); });
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

}  // namespace shell::ui
