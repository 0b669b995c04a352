#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/single_instance.h"

namespace shell {

inline constexpr const char* kProgramTitle = "Jotwise for Microsoft Outlook";
inline constexpr const char* kInstanceLockName = "OrbitMutex2112";

// How the tray program ends (`jotwise add` has its own codes).
enum ProgramExit : int {
    kProgramEnded = 0,       // the user exited, or another copy already runs
    kProgramFailed = 1,      // the start failed; the user was told why
    kProgramNoDesktop = 2,   // there is no desktop to run on; stderr says so
    kProgramBadUsage = 3,    // a command's arguments cannot be used; stderr says why
    kProgramNotRunning = 4,  // `jotwise quit`, and no program runs; stderr says so
    // The command line names no command of the program; stderr says which word and shows
    // the usage. 2 like every other refused command line of the program (`jotwise add`).
    kProgramUnknownCommand = 2,
};

// What `jotwise --help` shows: every command of the program.
std::string ProgramUsage();

// The line the program writes when it has no desktop to run on.
std::string NoDesktopMessage(const std::string& reason);

// How a request to the running program went.
enum class CommandDelivery {
    Answered,      // the program answered and closed the connection
    NotListening,  // no program takes commands (none runs, or it is still starting)
    NoAnswer,      // connected, but no answer came within the time given
    Failed,        // the request could not be sent; the reason says why
};

// Something the program holds until it ends: the single-instance lock, the running program.
class Held {
public:
    virtual ~Held() = default;
};

// What the command line needs from the system: no desktop and no window. main() gives the
// real one, tests a fake.
class CommandPlatform {
public:
    virtual ~CommandPlatform() = default;
    // `jotwise add`: files one note without any window; its exit code.
    virtual int QuickAdd(const std::vector<std::string>& args) = 0;
    // The single-instance lock; null with the outcome (and a failure's reason) when not taken.
    virtual std::unique_ptr<Held> Lock(std::string_view name,
                                       platform::SingleInstanceLock::Outcome& outcome,
                                       std::string& reason) = 0;
    // `jotwise note|quit|explorer|keywords`. Sends one request to the running program and
    // reads its answer until the program closes the connection, for at most `limit` (none:
    // as long as it takes).
    virtual CommandDelivery SendCommand(const std::string& request,
                                        std::optional<std::chrono::milliseconds> limit,
                                        std::string& answer, std::string& reason) = 0;
    // Starts the program (this executable, without arguments) on its own, detached from
    // this process; false with the reason when it could not be started.
    virtual bool LaunchProgram(std::string& reason) = 0;
    // Whether the program LaunchProgram started still runs.
    virtual bool LaunchedProgramRuns() = 0;
    virtual void Pause(std::chrono::milliseconds time) = 0;
    // The tray program, given the whole command line (Qt's options too); its exit code.
    virtual int StartTrayProgram() = 0;
};

// What the tray program needs from the desktop it runs on.
class DesktopPlatform {
public:
    virtual ~DesktopPlatform() = default;
    // The desktop application, titled `title`; false with the reason when there is no
    // desktop (no display, or the windowing system cannot be reached).
    virtual bool StartDesktop(const std::string& title, std::string& reason) = 0;
    // Message boxes; only once the desktop has started.
    virtual platform::MessageBoxes& Boxes() = 0;
    virtual std::unique_ptr<Held> Lock(std::string_view name,
                                       platform::SingleInstanceLock::Outcome& outcome,
                                       std::string& reason) = 0;
    // The session's platform, the error box and the windows (the splash, which shows itself,
    // the tray window, About); destroying it ends them and then the session.
    virtual std::unique_ptr<Held> StartProgram() = 0;
    // Runs the event loop until the program quits; the code it quit with.
    virtual int RunEventLoop() = 0;
};

// The program's command line: the commands that need no desktop (`jotwise add`, the commands
// to the running program, --autostart, --help, --version, and a word it does not know); the
// tray program for anything else. Returns the process's exit code; `out` receives what the
// user asked for (the usage, the version), `err` what cannot be shown in a box.
int RunProgram(const std::vector<std::string>& args, CommandPlatform& platform, std::ostream& out,
               std::ostream& err);

// The tray program from its start to its end: the desktop, the single-instance lock, the
// windows and the event loop. Returns the process's exit code; `err` receives what cannot be
// shown in a box.
int RunTrayProgram(DesktopPlatform& platform, std::ostream& err);

// The single-instance lock of this system (a lock file, see platform/single_instance.h).
std::unique_ptr<Held> TakeInstanceLock(std::string_view name,
                                       platform::SingleInstanceLock::Outcome& outcome,
                                       std::string& reason);

}  // namespace shell
