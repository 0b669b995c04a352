#include "shell/cli/command_line_platform.h"

#include <cstdlib>
#include <iostream>
#include <thread>

#include "platform/own_file_name.h"
#include "shell/cli/local_quick_add.h"
#include "shell/cli/tray_loader.h"
#include "shell/command_client.h"
#include "shell/command_request.h"

namespace shell::cli {

int CommandLinePlatform::QuickAdd(const std::vector<std::string>& args) {
    const int code = RunQuickAddOnLocalStore(args);
    // The store is closed and everything said: the parser's tables and the program's other
    // statics would only be taken apart block by block for a process that ends anyway.
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(code);
}

std::unique_ptr<Held> CommandLinePlatform::Lock(std::string_view name,
                                                platform::SingleInstanceLock::Outcome& outcome,
                                                std::string& reason) {
    return TakeInstanceLock(name, outcome, reason);
}

CommandDelivery CommandLinePlatform::SendCommand(const std::string& request,
                                                 std::optional<std::chrono::milliseconds> limit,
                                                 std::string& answer, std::string& reason) {
    const std::optional<std::filesystem::path> path = CommandSocketPath(&reason);
    if (!path) return CommandDelivery::Failed;
    return sendCommand(*path, request, limit, answer, reason);
}

bool CommandLinePlatform::LaunchProgram(std::string& reason) {
    launched_ = launchDetached(platform::ownFileName(), reason);
    return launched_.has_value();
}

bool CommandLinePlatform::LaunchedProgramRuns() {
    return launched_ && processRuns(*launched_);
}

void CommandLinePlatform::Pause(std::chrono::milliseconds time) {
    std::this_thread::sleep_for(time);
}

int CommandLinePlatform::StartTrayProgram() {
    return RunTrayModule(argc_, argv_);
}

}  // namespace shell::cli
