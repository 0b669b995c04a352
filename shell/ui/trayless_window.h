#pragma once

#include <QDialog>

#include "shell/trayless_notice.h"

class QLabel;

namespace shell::ui {

// What to do without a tray icon: how to open a note, how to get the icon, how to leave. A
// window of its own beside the others, never modal.
class TraylessWindow : public QDialog, public TraylessNoticeView {
public:
    TraylessWindow(TRegistry& settings, DesktopNotifier& notifier);
    ~TraylessWindow() override;

    TTraylessNotice& logic() { return logic_; }

    // TraylessNoticeView
    void showNotice(bool hotKey) override;

private:
    TTraylessNotice logic_;
    QLabel* lblOpenNote_ = nullptr;
};

}  // namespace shell::ui
