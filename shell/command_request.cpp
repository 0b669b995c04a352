#include "shell/command_request.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/user_folders.h"
#include "platform/utf8_text.h"

namespace shell {
namespace {

struct CommandWord {
    std::string_view word;
    CommandKind kind;
};
constexpr std::array<CommandWord, 4> kCommandWords = {{{"note", CommandKind::Note},
                                                       {"quit", CommandKind::Quit},
                                                       {"explorer", CommandKind::Explorer},
                                                       {"keywords", CommandKind::Keywords}}};

std::optional<CommandKind> kindOf(std::string_view word) {
    for (const CommandWord& command : kCommandWords)
        if (command.word == word) return command.kind;
    return std::nullopt;
}

std::string_view wordOf(CommandKind kind) {
    for (const CommandWord& command : kCommandWords)
        if (command.kind == kind) return command.word;
    return {};
}

// A line break would end the request early, and a NUL would split it: both become spaces,
// as the memo holds one sentence.
std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; }, ' ');
    return text;
}

}  // namespace

bool IsProgramCommand(std::string_view word) {
    return kindOf(word).has_value();
}

std::optional<ProgramCommand> ParseProgramCommand(const std::vector<std::string>& args,
                                                  std::string& reason) {
    const std::optional<CommandKind> kind =
        args.empty() ? std::nullopt : kindOf(std::string_view(args.front()));
    if (!kind) {
        reason = "no command given";
        return std::nullopt;
    }
    ProgramCommand command{*kind, {}};
    if (*kind != CommandKind::Note) {
        if (args.size() > 1) {
            reason = "'jotwise " + args.front() + "' takes no arguments";
            return std::nullopt;
        }
        return command;
    }
    for (std::size_t i = 1; i < args.size(); ++i)
        command.text += (i > 1 ? " " : "") + platform::validUtf8(args[i]);
    command.text = oneLine(std::move(command.text));
    return command;
}

std::string EncodeRequest(const ProgramCommand& command) {
    std::string request(wordOf(command.kind));
    if (command.kind == CommandKind::Note) {
        request += '\0';
        request += oneLine(command.text);
    }
    return request + '\n';
}

std::optional<ProgramCommand> DecodeRequest(std::string_view line) {
    const std::size_t nul = line.find('\0');
    const std::optional<CommandKind> kind = kindOf(line.substr(0, nul));
    if (!kind) return std::nullopt;
    const bool hasText = nul != std::string_view::npos;
    if (hasText != (*kind == CommandKind::Note)) return std::nullopt;
    ProgramCommand command{*kind, {}};
    if (hasText) command.text = oneLine(platform::validUtf8(line.substr(nul + 1)));
    return command;
}

std::string ErrorAnswer(std::string_view reason) {
    return "error " + oneLine(std::string(reason)) + "\n";
}

std::optional<std::string> AnswerError(std::string_view answer) {
    if (answer == kAnswerOk) return std::nullopt;
    if (answer.starts_with("error ") && answer.ends_with('\n'))
        return std::string(answer.substr(6, answer.size() - 7));
    if (answer.empty()) return "Jotwise ended the connection without an answer";
    return "Jotwise gave an answer that cannot be read";
}

std::optional<std::filesystem::path> CommandSocketPath(std::string* error) {
    const std::optional<std::filesystem::path> runtime = platform::userRuntimeFolder(error);
    if (!runtime) return std::nullopt;
    const std::optional<std::filesystem::path> folder =
        platform::privateSubfolder(*runtime, "jotwise", error);
    if (!folder) return std::nullopt;
    return *folder / "commands";
}

}  // namespace shell
