#include "shell/command_dispatcher.h"

#include "shell/command_request.h"
#include "shell/hidden.h"

namespace shell {
namespace {

constexpr const char* kModalOpen = "a dialog of Jotwise is open: close it first";

CommandAnswer refused(std::string_view reason) {
    return {ErrorAnswer(reason), true};
}

CommandAnswer done() {
    return {std::string(kAnswerOk), true};
}

}  // namespace

std::optional<CommandAnswer> CommandDispatcher::Received(std::string_view bytes) {
    const std::size_t end = bytes.find('\n');
    if (end != std::string_view::npos) return Dispatch(bytes.substr(0, end));
    if (bytes.size() > kMaxRequestBytes) return refused("the request is too long");
    return std::nullopt;
}

CommandAnswer CommandDispatcher::Dispatch(std::string_view line) {
    if (hidden_.Exiting()) return refused("Jotwise is exiting");
    if (busy_) return refused("Jotwise is busy with another command");
    const std::optional<ProgramCommand> command = DecodeRequest(line);
    if (!command) return refused("the request names no command of Jotwise");

    busy_ = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};
    // A modal window turns every command away as it turns away the hot key: it beeps and
    // comes to the front.
    const bool modalOpen = hidden_.modalWindow != nullptr;
    switch (command->kind) {
        case CommandKind::Note:
            if (!hidden_.NewNote(command->text))
                return refused(modalOpen ? kModalOpen : "the note could not be opened");
            return done();
        case CommandKind::Explorer:
            hidden_.OpenOutlook();
            return done();
        case CommandKind::Keywords:
            if (modalOpen) {
                hidden_.ShowKeywords();
                return refused(kModalOpen);
            }
            // The dialog is modal: it is shown after the answer has gone.
            loop_.post([&hidden = hidden_] { hidden.ShowKeywords(); });
            return done();
        case CommandKind::Quit:
            hidden_.miExitClick();
            if (!hidden_.Exiting())
                return refused(modalOpen ? kModalOpen
                                         : "a note could not be saved; Jotwise goes on");
            return {std::string(kAnswerOk), false};
    }
    return refused("the request names no command of Jotwise");
}

}  // namespace shell
