#include "outlook/local/transport/mail_setup.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/text.h"

namespace outlook::local::transport {

namespace fs = std::filesystem;

namespace {

std::string settingText(platform::Registry& registry, const char* name) {
    const auto key = registry.openKey(platform::RegistryRoot::CurrentUser, kMailKey);
    if (!key) return {};
    const auto value = key->queryValue(name);
    if (!value || value->type != platform::RegistryType::String) return {};
    return std::string(platform::trimmed(value->text));
}

bool executableOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty() && ::access((fs::path(folder) / name).c_str(), X_OK) == 0) return true;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return false;
}

// msmtp reads $XDG_CONFIG_HOME/msmtp/config, else ~/.config/msmtp/config, else ~/.msmtprc.
bool msmtpConfigured() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::error_code error;
    if (config && *config && fs::exists(fs::path(config) / "msmtp" / "config", error)) return true;
    if (!home || !*home) return false;
    return fs::exists(fs::path(home) / ".config" / "msmtp" / "config", error) ||
           fs::exists(fs::path(home) / ".msmtprc", error);
}

bool usableAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 == address.size()) return false;
    for (const char c : address)
        if (static_cast<unsigned char>(c) <= ' ' || c == '<' || c == '>' || c == ',' || c == '"')
            return false;
    return true;
}

}  // namespace

std::string defaultSendCommand() {
    if (executableOnPath("msmtp") && msmtpConfigured()) return "msmtp --read-envelope-from -t";
    if (::access("/usr/sbin/sendmail", X_OK) == 0) return "/usr/sbin/sendmail -t -i";
    return {};
}

std::optional<MailAddress> parseMailbox(std::string_view text) {
    text = platform::trimmed(text);
    MailAddress mailbox;
    const std::size_t open = text.rfind('<');
    if (open != std::string_view::npos && text.ends_with('>')) {
        mailbox.address = std::string(text.substr(open + 1, text.size() - open - 2));
        std::string_view name = platform::trimmed(text.substr(0, open));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        mailbox.name = std::string(name);
    } else {
        mailbox.address = std::string(text);
    }
    for (const char c : mailbox.name)
        if (c == '\r' || c == '\n') return std::nullopt;
    if (!usableAddress(mailbox.address)) return std::nullopt;
    return mailbox;
}

MailSetup readMailSetup(platform::Registry& registry) {
    MailSetup setup;
    setup.command = settingText(registry, kSendCommandValue);
    setup.commandFromSetting = !setup.command.empty();
    if (setup.command.empty()) setup.command = defaultSendCommand();
    setup.fromSetting = settingText(registry, kFromValue);
    if (!setup.fromSetting.empty()) setup.from = parseMailbox(setup.fromSetting);
    return setup;
}

bool writeMailSetting(platform::Registry& registry, const char* value, const std::string& text) {
    if (text.empty()) {
        const auto key = registry.openKey(platform::RegistryRoot::CurrentUser, kMailKey);
        return !key || !key->queryValue(value) || key->deleteValue(value);
    }
    const auto key = registry.createKey(platform::RegistryRoot::CurrentUser, kMailKey);
    return key && key->setValue(value, platform::RegistryValue::ofString(text));
}

}  // namespace outlook::local::transport
