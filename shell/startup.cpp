#include "shell/startup.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

#include "messages/error_box.h"
#include "platform/autostart.h"
#include "platform/own_file_name.h"
#include "shell/command_request.h"
#include "shell/file_version.h"
#include "shell/quick_add.h"

namespace shell {
namespace {

constexpr const char* kAlreadyRunning =
    "Jotwise is already running. Double-click on the 'J' icon in the system tray to create a "
    "new action note.";

class HeldLock : public Held {
public:
    explicit HeldLock(platform::SingleInstanceLock lock) : lock_(std::move(lock)) {}

private:
    platform::SingleInstanceLock lock_;
};

// The reason of a failure that no message id names, as the error box's detail.
class ReasonText : public messages::LastErrorSource {
public:
    explicit ReasonText(std::string reason) : reason_(std::move(reason)) {}
    std::string takeLastError() override { return std::exchange(reason_, {}); }

private:
    std::string reason_;
};

void ShowFailure(platform::MessageBoxes& boxes, const std::string& reason) {
    ReasonText detail(reason);
    messages::ErrorBox box(boxes);
    box.setSession(&detail);
    box.ShowError(messages::kInitializationFailed);
}

int RunDesktopProgram(DesktopPlatform& platform) {
    platform::SingleInstanceLock::Outcome outcome = platform::SingleInstanceLock::Outcome::Failed;
    std::string reason;
    std::unique_ptr<Held> lock = platform.Lock(kInstanceLockName, outcome, reason);
    if (!lock) {
        if (outcome == platform::SingleInstanceLock::Outcome::HeldElsewhere) {
            platform.Boxes().show(kProgramTitle, kAlreadyRunning,
                                  platform::MessageIcon::Information, platform::MessageButtons::Ok);
            return kProgramEnded;
        }
        ShowFailure(platform.Boxes(), "The single-instance lock could not be taken: " + reason);
        return kProgramFailed;
    }
    int exitCode = kProgramEnded;
    {
        std::unique_ptr<Held> program = platform.StartProgram();
        exitCode = platform.RunEventLoop();
        // The windows and the session end here, before the lock is let go: a new copy
        // started now finds the store closed.
    }
    return exitCode;
}

// `jotwise --autostart on|off`: whether the desktop starts the program at login.
int SwitchAutostart(const std::vector<std::string>& args, std::ostream& err) {
    const std::optional<bool> on =
        args.size() == 2 ? platform::autostartSwitch(args[1]) : std::nullopt;
    if (!on) {
        err << "usage: jotwise --autostart on|off\n";
        return kProgramBadUsage;
    }
    std::string error;
    if (!platform::setAutostart(*on, error)) {
        err << "jotwise: " << error << "\n";
        return kProgramFailed;
    }
    return kProgramEnded;
}

// Qt's own options, which QApplication takes out of the command line before the program
// runs (with one dash or two; a value follows, or is joined with '='). The tray program keeps
// accepting them: a session manager, for one, restarts a Qt program with -session.
constexpr std::array<std::string_view, 13> kQtOptionsWithValue = {
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",       "-display", "-geometry",
    "-style",       "-stylesheet",         "-qmljsdebugger"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-reverse", "-widgetcount", "-nograb",
                                                      "-dograb", "-sync"};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The first argument that is no option of Qt's, or none.
std::optional<std::string> firstUnknownArgument(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        if (name.starts_with("--")) name.remove_prefix(1);
        const std::size_t equals = name.find('=');
        const bool joined = equals != std::string_view::npos;
        if (joined) name = name.substr(0, equals);
        if (among(kQtOptionsWithValue, name)) {
            if (!joined) ++i;  // its value
        } else if (joined || !among(kQtFlags, name)) {
            return args[i];
        }
    }
    return std::nullopt;
}

// A program started for a command shows its splash and connects to the store before it takes
// commands: it is looked for every tenth of a second, for thirty seconds.
constexpr std::chrono::milliseconds kStartPoll{100};
constexpr int kStartPolls = 300;
constexpr std::chrono::seconds kAnswerLimit{10};

// `jotwise note|quit|explorer|keywords`: the request to the running program, which is started
// first when a note, the explorer or the keywords are asked for and none runs.
int SendProgramCommand(const std::vector<std::string>& args, CommandPlatform& platform,
                       std::ostream& err) {
    std::string reason;
    const std::optional<ProgramCommand> command = ParseProgramCommand(args, reason);
    if (!command) {
        err << "jotwise: " << reason << "\n\n" << ProgramUsage();
        return kProgramBadUsage;
    }
    const std::string request = EncodeRequest(*command);
    const bool quit = command->kind == CommandKind::Quit;
    // Exit first asks about every open note: the user takes the time they need.
    const std::optional<std::chrono::milliseconds> limit =
        quit ? std::nullopt : std::optional<std::chrono::milliseconds>(kAnswerLimit);
    bool launched = false;
    for (int poll = 0;; ++poll) {
        std::string answer;
        switch (platform.SendCommand(request, limit, answer, reason)) {
            case CommandDelivery::Answered:
                if (const std::optional<std::string> error = AnswerError(answer)) {
                    err << "jotwise: " << *error << "\n";
                    return kProgramFailed;
                }
                return kProgramEnded;
            case CommandDelivery::NoAnswer:
                err << "jotwise: Jotwise did not answer within " << kAnswerLimit.count()
                    << " seconds\n";
                return kProgramFailed;
            case CommandDelivery::Failed:
                err << "jotwise: " << reason << "\n";
                return kProgramFailed;
            case CommandDelivery::NotListening:
                break;
        }
        if (poll == kStartPolls) {
            err << "jotwise: Jotwise did not come up to take the command within "
                << kStartPolls * kStartPoll.count() / 1000 << " seconds\n";
            return kProgramFailed;
        }
        if (launched) {
            if (!platform.LaunchedProgramRuns()) {
                err << "jotwise: the Jotwise started for the command ended before it took it\n";
                return kProgramFailed;
            }
        } else {
            // A free lock means that no program runs, not even one still starting; the lock
            // is let go at once.
            platform::SingleInstanceLock::Outcome outcome =
                platform::SingleInstanceLock::Outcome::Failed;
            std::string lockReason;
            platform.Lock(kInstanceLockName, outcome, lockReason);
            if (outcome == platform::SingleInstanceLock::Outcome::Failed) {
                err << "jotwise: the single-instance lock cannot be read: " << lockReason << "\n";
                return kProgramFailed;
            }
            if (outcome == platform::SingleInstanceLock::Outcome::Acquired) {
                if (quit) {
                    err << "jotwise: Jotwise is not running\n";
                    return kProgramNotRunning;
                }
                if (!platform.LaunchProgram(reason)) {
                    err << "jotwise: Jotwise could not be started: " << reason << "\n";
                    return kProgramFailed;
                }
                launched = true;
            }
        }
        platform.Pause(kStartPoll);
    }
}

int ShowVersion(std::ostream& out) {
    const FILEVERSION version(platform::ownFileName());
    out << "jotwise " << version.versionText.value_or("(version unknown)") << "\n";
    return kProgramEnded;
}

}  // namespace

std::string ProgramUsage() {
    return std::string(
               "usage: jotwise                 run the tray program: Ctrl+Alt+N anywhere opens a\n"
               "                               note; the menu is on its tray icon or, where the\n"
               "                               desktop has no tray, in a note's J menu\n"
               "       jotwise add ...         file one note without any window (below)\n"
               "       jotwise note [TEXT...]  open a note in the running program, with TEXT\n"
               "                               typed in; starts the program when none runs.\n"
               "                               Bind it to a key in the desktop's keyboard\n"
               "                               settings where Ctrl+Alt+N is not to be had\n"
               "       jotwise explorer        open the running program's Outlook window\n"
               "       jotwise keywords        open the running program's Keywords window\n"
               "       jotwise quit            end the running program as Exit in its menu does\n"
               "       jotwise --autostart on|off\n"
               "                               start Jotwise at login, or no longer\n"
               "       jotwise --help          show this text\n"
               "       jotwise --version       show the program's version\n"
               "The tray program also takes Qt's options (-platform NAME, -display NAME, ...).\n"
               "\n") +
           kQuickAddUsage;
}

std::string NoDesktopMessage(const std::string& reason) {
    return "jotwise: the tray program needs a desktop (" + reason +
           "); to file a note without one, use 'jotwise add TEXT'.";
}

int RunProgram(const std::vector<std::string>& args, CommandPlatform& platform, std::ostream& out,
               std::ostream& err) {
    const std::string_view command = args.empty() ? std::string_view() : args.front();
    if (command == "add") return platform.QuickAdd({args.begin() + 1, args.end()});
    if (IsProgramCommand(command)) return SendProgramCommand(args, platform, err);
    if (command == "--autostart") return SwitchAutostart(args, err);
    if (args.size() == 1 && (command == "--help" || command == "-h")) {
        out << ProgramUsage();
        return kProgramEnded;
    }
    if (args.size() == 1 && command == "--version") return ShowVersion(out);
    if (const std::optional<std::string> unknown = firstUnknownArgument(args)) {
        err << "jotwise: '" << *unknown << "' is no command or option of jotwise\n\n"
            << ProgramUsage();
        return kProgramUnknownCommand;
    }
    return platform.StartTrayProgram();
}

int RunTrayProgram(DesktopPlatform& platform, std::ostream& err) {
    bool desktop = false;
    try {
        std::string reason;
        if (!platform.StartDesktop(kProgramTitle, reason)) {
            err << NoDesktopMessage(reason) << "\n";
            return kProgramNoDesktop;
        }
        desktop = true;
        return RunDesktopProgram(platform);
    } catch (const std::exception& error) {
        err << "jotwise: " << error.what() << "\n";
        if (desktop) ShowFailure(platform.Boxes(), error.what());
        return kProgramFailed;
    }
}

std::unique_ptr<Held> TakeInstanceLock(std::string_view name,
                                       platform::SingleInstanceLock::Outcome& outcome,
                                       std::string& reason) {
    std::optional<platform::SingleInstanceLock> lock =
        platform::SingleInstanceLock::acquire(name, &outcome, &reason);
    if (!lock) return nullptr;
    return std::make_unique<HeldLock>(std::move(*lock));
}

}  // namespace shell
