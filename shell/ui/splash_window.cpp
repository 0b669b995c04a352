#include "shell/ui/splash_window.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include "shell/startup.h"
#include "shell/ui/product_picture.h"

namespace shell::ui {
namespace {

constexpr int kWidth = kFramedWindowWidth;
constexpr int kHeight = kFramedWindowHeight;
constexpr int kMargin = 28;

}  // namespace

SplashWindow::SplashWindow(SplashHost& host, platform::EventLoop& loop,
                           std::filesystem::path programFile, std::ostream& console)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      logic_(TSplash::Services{*this, host, loop, std::move(programFile), console}) {
    setObjectName("TSplash");
    setWindowTitle(kProgramTitle);
    makeFramedWhiteWindow(*this);

    auto* picture = new ProductPicture(this);
    picture->setObjectName("Image1");
    picture->setGeometry(1, 1, kWidth - 2, 250);

    lblProgress_ = new QLabel("Loading...", this);
    lblProgress_->setObjectName("lblProgress");
    lblProgress_->setGeometry(kMargin, 300, kWidth - 2 * kMargin, 20);
    QPalette muted = lblProgress_->palette();
    muted.setColor(QPalette::WindowText, QColor(0x3c, 0x47, 0x54));
    lblProgress_->setPalette(muted);

    pbProgress_ = new QProgressBar(this);
    pbProgress_->setObjectName("pbProgress");
    pbProgress_->setRange(0, 100);
    pbProgress_->setValue(0);
    pbProgress_->setTextVisible(false);
    pbProgress_->setGeometry(kMargin, 324, kWidth - 2 * kMargin, 8);

    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName("lblVersion");
    lblVersion_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    lblVersion_->setGeometry(kMargin, kHeight - 40, kWidth - 2 * kMargin, 20);
    QFont small = lblVersion_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblVersion_->setFont(small);
    QPalette grey = lblVersion_->palette();
    grey.setColor(QPalette::WindowText, QColor(0x8a, 0x94, 0xa0));
    lblVersion_->setPalette(grey);

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
