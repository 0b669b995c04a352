#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/event_loop.h"

namespace shell {

class THidden;

// What the program sends back on a connection, and whether it closes the connection then.
// After Exit the connection stays open until the program has ended, so that `jotwise quit`
// learns of the end when it closes.
struct CommandAnswer {
    std::string text;
    bool close = true;

    bool operator==(const CommandAnswer&) const = default;
};

// What a command connection is handed to (the socket itself knows nothing of commands).
class CommandReceiver {
public:
    virtual ~CommandReceiver() = default;
    // Everything a connection has sent so far: the answer once a whole request is there
    // (or it cannot become one), nothing while more is to come.
    virtual std::optional<CommandAnswer> Received(std::string_view bytes) = 0;
};

// The running program's side of `jotwise note|quit|explorer|keywords`: reads a request and
// does what the tray menu does for it.
class CommandDispatcher : public CommandReceiver {
public:
    CommandDispatcher(THidden& hidden, platform::EventLoop& loop) : hidden_(hidden), loop_(loop) {}

    std::optional<CommandAnswer> Received(std::string_view bytes) override;
    // One request line, without its newline.
    CommandAnswer Dispatch(std::string_view line);

private:
    THidden& hidden_;
    platform::EventLoop& loop_;
    // True while a command runs: Exit's questions run an event loop, in which another
    // request may arrive.
    bool busy_ = false;
};

}  // namespace shell
