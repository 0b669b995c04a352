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

int RunDesktopProgram(StartupPlatform& platform) {
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

int ShowVersion(std::ostream& out) {
    const FILEVERSION version(platform::ownFileName());
    out << "jotwise " << version.versionText.value_or("(version unknown)") << "\n";
    return kProgramEnded;
}

}  // namespace

std::string ProgramUsage() {
    return std::string(
               "usage: jotwise                 run the tray program: Ctrl+Alt+N anywhere opens a\n"
               "                               note, its icon in the system tray has the menu\n"
               "       jotwise add ...         file one note without any window (below)\n"
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

int RunProgram(const std::vector<std::string>& args, StartupPlatform& platform, std::ostream& out,
               std::ostream& err) {
    const std::string_view command = args.empty() ? std::string_view() : args.front();
    if (command == "add") return platform.QuickAdd({args.begin() + 1, args.end()});
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
