#include "platform/autostart.h"

#include <cstdlib>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/own_file_name.h"
#include "platform/text.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEntryName = "jotwise.desktop";

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

}  // namespace

fs::path autostartFolder(const char* xdgConfigHome, const char* home) {
    // Relative values are to be ignored, as if unset.
    if (xdgConfigHome && xdgConfigHome[0] == '/') return fs::path(xdgConfigHome) / "autostart";
    if (home && home[0] == '/') return fs::path(home) / ".config" / "autostart";
    return {};
}

fs::path autostartFolder() {
    return autostartFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string desktopExecArgument(std::string_view argument) {
    const bool quote =
        argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    std::string exec;
    for (char c : argument) {
        if (c == '%') {
            exec += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) exec += '\\';
        exec += c;
    }
    if (quote) exec = '"' + exec + '"';
    // The value of a key is itself escaped: a backslash is written twice, a line break as \n.
    std::string value;
    for (char c : exec) {
        if (c == '\n') {
            value += "\\n";
            continue;
        }
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

std::string autostartEntry(const fs::path& program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Jotwise\n"
           "Comment=Turn one typed sentence into an appointment, task, note or message\n"
           "Exec=" +
           desktopExecArgument(program.string()) +
           "\n"
           "Icon=jotwise\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<bool> autostartSwitch(std::string_view word) {
    if (equalsIgnoreCase(word, "on")) return true;
    if (equalsIgnoreCase(word, "off")) return false;
    return std::nullopt;
}

bool setAutostart(bool on, const fs::path& folder, const fs::path& program, std::string& error) {
    if (folder.empty()) {
        error = "The autostart folder is unknown: neither XDG_CONFIG_HOME nor HOME is set.";
        return false;
    }
    const fs::path entry = folder / kEntryName;
    if (!on) {
        std::error_code failure;
        fs::remove(entry, failure);
        if (failure) {
            error = "Cannot remove " + entry.string() + ": " + failure.message();
            return false;
        }
        return true;
    }
    if (program.empty()) {
        error = "The program's own file cannot be found.";
        return false;
    }
    std::string reason;
    if (!writeFileAtomically(entry, autostartEntry(program), 0644, &reason)) {
        error = "Cannot write " + entry.string() + ": " + reason;
        return false;
    }
    return true;
}

bool setAutostart(bool on, std::string& error) {
    return setAutostart(on, autostartFolder(), ownFileName(), error);
}

bool autostartIsOn(const fs::path& folder) {
    std::error_code failure;
    return !folder.empty() && fs::is_regular_file(folder / kEntryName, failure);
}

}  // namespace platform
