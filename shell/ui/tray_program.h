#pragma once

#include <memory>

#include "platform/ui/qt_message_boxes.h"
#include "shell/startup.h"

class QApplication;

namespace shell::ui {

// The tray program's start on this desktop: Qt's application, the user's lock file, and the
// running program with its local store.
class QtDesktopPlatform : public DesktopPlatform {
public:
    QtDesktopPlatform(int& argc, char** argv);
    ~QtDesktopPlatform() override;

    bool StartDesktop(const std::string& title, std::string& reason) override;
    platform::MessageBoxes& Boxes() override { return boxes_; }
    std::unique_ptr<Held> Lock(std::string_view name,
                               platform::SingleInstanceLock::Outcome& outcome,
                               std::string& reason) override;
    std::unique_ptr<Held> StartProgram() override;
    // Until the program quits, or a termination signal asks it to.
    int RunEventLoop() override;

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
    platform::QtMessageBoxes boxes_;
};

}  // namespace shell::ui
