#include "shell/startup.h"

#include <exception>
#include <optional>
#include <utility>

#include "messages/error_box.h"
#include "platform/autostart.h"

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

}  // namespace

std::string NoDesktopMessage(const std::string& reason) {
    return "jotwise: the tray program needs a desktop (" + reason +
           "); to file a note without one, use 'jotwise add TEXT'.";
}

int RunProgram(const std::vector<std::string>& args, StartupPlatform& platform, std::ostream& err) {
    if (!args.empty() && args.front() == "add")
        return platform.QuickAdd({args.begin() + 1, args.end()});
    if (!args.empty() && args.front() == "--autostart") return SwitchAutostart(args, err);
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
