#pragma once

#include <QWidget>

#include "shell/splash.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace shell::ui {

// The splash window: the product's picture, the progress of the connection and the version,
// on a framed frameless window. Its logic (TSplash) connects the session and hands over.
class SplashWindow : public QWidget, public SplashView {
public:
    SplashWindow(SplashHost& host, platform::EventLoop& loop, std::filesystem::path programFile,
                 std::ostream& console);
    ~SplashWindow() override;

    TSplash& logic() { return logic_; }

    // SplashView
    void showVersion(const std::string& label) override;
    void showProgressText(const std::string& text) override;
    void showProgressBar(std::int32_t minimum, std::int32_t maximum,
                         std::int32_t position) override;
    void hideSplash() override;
    void setTimerEnabled(bool enabled) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void useColours();

    TSplash logic_;
    QLabel* lblProgress_ = nullptr;
    QProgressBar* pbProgress_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QTimer* tmTimer_ = nullptr;
    bool painted_ = false;
};

}  // namespace shell::ui
