#include "shell/ui/splash_window.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/startup.h"
#include "shell/ui/product_picture.h"

namespace shell::ui {
namespace {

constexpr int kMargin = 28;
constexpr int kPictureHeight = 250;
constexpr int kBarHeight = 8;

}  // namespace

SplashWindow::SplashWindow(SplashHost& host, platform::EventLoop& loop,
                           std::filesystem::path programFile, std::ostream& console)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      logic_(TSplash::Services{*this, host, loop, std::move(programFile), console}) {
    setObjectName("TSplash");
    setWindowTitle(kProgramTitle);
    makeFramedWindow(*this);

    auto* picture = new ProductPicture(this);
    picture->setObjectName("Image1");
    picture->setFixedHeight(kPictureHeight);

    lblProgress_ = new QLabel("Loading...", this);
    lblProgress_->setObjectName("lblProgress");

    pbProgress_ = new QProgressBar(this);
    pbProgress_->setObjectName("pbProgress");
    pbProgress_->setRange(0, 100);
    pbProgress_->setValue(0);
    pbProgress_->setTextVisible(false);
    pbProgress_->setFixedHeight(kBarHeight);

    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName("lblVersion");
    lblVersion_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QFont small = lblVersion_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblVersion_->setFont(small);
    useColours();

    // Laid out from the texts' own sizes, so that a larger font still fits the fixed window.
    auto* layout = new QVBoxLayout(this);
    // One pixel all round is the border's.
    layout->setContentsMargins(1, 1, 1, 20);
    layout->setSpacing(0);
    layout->addWidget(picture);
    auto* progress = new QVBoxLayout;
    progress->setContentsMargins(kMargin, 0, kMargin, 0);
    progress->setSpacing(4);
    progress->addWidget(lblProgress_);
    progress->addWidget(pbProgress_);
    layout->addStretch(3);
    layout->addLayout(progress);
    layout->addStretch(2);
    auto* version = new QVBoxLayout;
    version->setContentsMargins(kMargin, 0, kMargin, 0);
    version->addWidget(lblVersion_);
    layout->addLayout(version);

    tmTimer_ = new QTimer(this);
    tmTimer_->setObjectName("tmTimer");
    tmTimer_->setInterval(TSplash::kHold);
    connect(tmTimer_, &QTimer::timeout, this, [this] { logic_.tmTimerTimer(); });
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::showVersion(const std::string& label) {
    lblVersion_->setText(QString::fromStdString(label));
}

void SplashWindow::showProgressText(const std::string& text) {
    lblProgress_->setText(QString::fromStdString(text));
    lblProgress_->repaint();
}

void SplashWindow::showProgressBar(std::int32_t minimum, std::int32_t maximum,
                                   std::int32_t position) {
    // An empty range would make the bar a busy indicator; there is nothing to wait for, so
    // it shows full.
    if (maximum <= minimum) {
        pbProgress_->setRange(0, 1);
        pbProgress_->setValue(1);
        return;
    }
    pbProgress_->setRange(minimum, maximum);
    // The bar repaints itself at once whenever the change shows.
    pbProgress_->setValue(position);
}

void SplashWindow::hideSplash() {
    hide();
}

void SplashWindow::setTimerEnabled(bool enabled) {
    if (enabled)
        tmTimer_->start();
    else
        tmTimer_->stop();
}

void SplashWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && lblVersion_) useColours();
}

void SplashWindow::useColours() {
    useFramedText(*lblProgress_, false);
    useFramedText(*lblVersion_, true);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    paintThinBorder(*this);
    // Told it is shown once it has been drawn: connecting holds the event loop, and a window
    // that is not drawn yet would stay blank until the connection is over.
    if (!painted_) {
        painted_ = true;
        logic_.FormShow();
    }
}

}  // namespace shell::ui
