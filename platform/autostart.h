#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Starting the program when the user logs in, the way freedesktop.org desktops do it: a
// desktop entry named jotwise.desktop in the autostart folder.

// "$XDG_CONFIG_HOME/autostart" when that variable holds an absolute path, else
// "$HOME/.config/autostart"; empty when neither is known. The arguments are the variables'
// values (null when unset).
std::filesystem::path autostartFolder(const char* xdgConfigHome, const char* home);
// The same from the environment.
std::filesystem::path autostartFolder();

// One argument of a desktop entry's Exec line: as it is when it holds nothing the line
// treats specially, else in double quotes with ", `, $ and \ escaped; "%" is doubled and,
// as in every value of the file, a backslash is written twice.
std::string desktopExecArgument(std::string_view argument);

// The desktop entry that starts `program` at login.
std::string autostartEntry(const std::filesystem::path& program);

// "on" or "off" (any letter case) as the switch's value; nothing for any other word.
std::optional<bool> autostartSwitch(std::string_view word);

// Writes the entry for `program` into `folder` (on), or removes it (off; nothing to
// remove is no failure). False with the reason in `error` when it cannot.
bool setAutostart(bool on, const std::filesystem::path& folder,
                  const std::filesystem::path& program, std::string& error);
// The same for the running program and the user's autostart folder.
bool setAutostart(bool on, std::string& error);

// Whether `folder` holds the program's entry, so that the desktop starts it at login.
bool autostartIsOn(const std::filesystem::path& folder);

}  // namespace platform
