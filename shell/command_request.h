#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The commands that `jotwise note|quit|explorer|keywords` sends to the running program.
enum class CommandKind { Note, Quit, Explorer, Keywords };

struct ProgramCommand {
    CommandKind kind = CommandKind::Note;
    std::string text;  // a note's text, as if typed; empty for the other commands

    bool operator==(const ProgramCommand&) const = default;
};

// Whether the command line's first word names one of the commands above.
bool IsProgramCommand(std::string_view word);

// The command of a command line whose first word names one (`note lunch at noon`): a note's
// words joined with spaces; nothing, with the reason, when its arguments cannot be used.
std::optional<ProgramCommand> ParseProgramCommand(const std::vector<std::string>& args,
                                                  std::string& reason);

// The wire format, one request and one answer per connection. A request is one line: the
// command's word, for a note a NUL and its text, then a newline ("note\0lunch at noon\n").
// The answer is "ok\n", or "error " and the reason on one line.
inline constexpr std::size_t kMaxRequestBytes = 64 * 1024;
std::string EncodeRequest(const ProgramCommand& command);
// The command of one request line (without its newline); nothing when it names none.
std::optional<ProgramCommand> DecodeRequest(std::string_view line);

inline constexpr std::string_view kAnswerOk = "ok\n";
std::string ErrorAnswer(std::string_view reason);
// An answer as the caller reads it: nothing when it is "ok", else the program's reason.
std::optional<std::string> AnswerError(std::string_view answer);

// The socket the running program listens on: "commands" in a folder of the user's runtime
// folder that only the user may enter (made when missing); nothing, with the reason in
// `error`, when there is no such folder.
std::optional<std::filesystem::path> CommandSocketPath(std::string* error = nullptr);

}  // namespace shell
