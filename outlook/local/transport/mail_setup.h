#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "outlook/local/transport/outgoing_message.h"
#include "platform/registry.h"

namespace outlook::local::transport {

// Where the settings of the mail transport live, and their value names.
inline constexpr const char* kMailKey = "Software\\Jotwise\\Mail";
inline constexpr const char* kSendCommandValue = "SendCommand";
inline constexpr const char* kFromValue = "From";

// How this profile sends mail: a sendmail-compatible command that reads the message,
// recipients included, from its standard input (as mutt and git send-email use one), and the
// sender's address. The program never keeps a password: the command's own configuration does.
struct MailSetup {
    std::string command;              // run by /bin/sh; empty: no way to send is set up
    bool commandFromSetting = false;  // false: found on the system
    std::optional<MailAddress> from;  // nothing: the command's configuration supplies it
    std::string fromSetting;          // the From value as written, even when unusable
};

// The profile's setup: the SendCommand setting, else msmtp when it and its configuration
// exist, else /usr/sbin/sendmail when present; the From setting when it holds an address.
MailSetup readMailSetup(platform::Registry& registry);

// The command found on the system when none is set, or "".
std::string defaultSendCommand();

// "Ann Lee <ann@example.org>", "\"Lee, Ann\" <ann@example.org>" or "ann@example.org";
// nothing when there is no usable address (none, spaces or line breaks in it, no "@").
std::optional<MailAddress> parseMailbox(std::string_view text);

// Writes a setting of the key ("" removes it); false when it cannot be stored.
bool writeMailSetting(platform::Registry& registry, const char* value, const std::string& text);

}  // namespace outlook::local::transport
