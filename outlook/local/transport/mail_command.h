#pragma once

#include <chrono>
#include <string>

namespace outlook::local::transport {

struct CommandOutcome {
    bool delivered = false;
    // Why not, in words: what the command printed, or how it ended.
    std::string problem;
    // The command was stopped half-way: the message may or may not have gone out.
    bool uncertain = false;
};

// Runs `command` with /bin/sh, writes `message` to its standard input and waits for it, as
// mail programs hand mail to sendmail. Exit status 0 means the command took the message.
// A command still running after `timeout` is killed, with everything it started.
CommandOutcome runMailCommand(const std::string& command, const std::string& message,
                              std::chrono::seconds timeout);

}  // namespace outlook::local::transport
