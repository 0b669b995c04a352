#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>

#include "platform/ui/qt_message_boxes.h"
#include "shell/startup.h"

class QApplication;

namespace shell::ui {

// The tray program's start on this desktop: Qt's application, the user's lock file, and the
// running program with its local store.
class QtStartupPlatform : public StartupPlatform {
public:
    QtStartupPlatform(int& argc, char** argv);
    ~QtStartupPlatform() override;

    int QuickAdd(const std::vector<std::string>& args) override;
    bool StartDesktop(const std::string& title, std::string& reason) override;
    platform::MessageBoxes& Boxes() override { return boxes_; }
    std::unique_ptr<Held> Lock(std::string_view name,
                               platform::SingleInstanceLock::Outcome& outcome,
                               std::string& reason) override;
    std::unique_ptr<Held> StartProgram() override;
    // Until the program quits, or a termination signal asks it to.
    int RunEventLoop() override;
    CommandDelivery SendCommand(const std::string& request,
                                std::optional<std::chrono::milliseconds> limit, std::string& answer,
                                std::string& reason) override;
    bool LaunchProgram(std::string& reason) override;
    bool LaunchedProgramRuns() override;
    void Pause(std::chrono::milliseconds time) override;

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
    platform::QtMessageBoxes boxes_;
    std::optional<pid_t> launched_;
};

}  // namespace shell::ui
