#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "shell/startup.h"

namespace shell {

// Sends `request` to the program listening at `path` and reads what it answers until it
// closes the connection, for at most `limit` (none: as long as it takes).
CommandDelivery sendCommand(const std::filesystem::path& path, const std::string& request,
                            std::optional<std::chrono::milliseconds> limit, std::string& answer,
                            std::string& reason);

// Starts `program` without arguments in a session of its own that outlives this process; its
// process id, or nothing with the reason.
std::optional<pid_t> launchDetached(const std::filesystem::path& program, std::string& reason);

// Whether the process still runs. A child of this process that ended is reaped here.
bool processRuns(pid_t pid);

}  // namespace shell
