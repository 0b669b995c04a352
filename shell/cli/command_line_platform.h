#pragma once

#include <sys/types.h>

#include <optional>

#include "shell/startup.h"

namespace shell::cli {

// The command line on this system: `jotwise add` on the user's local store, the running
// program's command socket, and the tray program, which is loaded only when it is asked for.
class CommandLinePlatform : public CommandPlatform {
public:
    CommandLinePlatform(int argc, char** argv) : argc_(argc), argv_(argv) {}

    // Ends the process when the note is filed, with its exit code.
    int QuickAdd(const std::vector<std::string>& args) override;
    std::unique_ptr<Held> Lock(std::string_view name,
                               platform::SingleInstanceLock::Outcome& outcome,
                               std::string& reason) override;
    CommandDelivery SendCommand(const std::string& request,
                                std::optional<std::chrono::milliseconds> limit, std::string& answer,
                                std::string& reason) override;
    bool LaunchProgram(std::string& reason) override;
    bool LaunchedProgramRuns() override;
    void Pause(std::chrono::milliseconds time) override;
    int StartTrayProgram() override;

private:
    int argc_;
    char** argv_;
    std::optional<pid_t> launched_;
};

}  // namespace shell::cli
