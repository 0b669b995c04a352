#include "shell/settings.h"

#include <cstdint>
#include <optional>

namespace shell {
namespace {

using platform::RegistryType;
using platform::RegistryValue;

std::optional<int> readDword(const platform::RegistryKey& key, std::string_view name) {
    const auto value = key.queryValue(name);
    if (!value || value->type != RegistryType::Dword) return std::nullopt;
    return static_cast<std::int32_t>(value->dword);
}

bool writeDword(platform::RegistryKey& key, std::string_view name, int value) {
    return key.setValue(name, RegistryValue::ofDword(static_cast<std::uint32_t>(value)));
}

}  // namespace

platform::RegistryKey* TRegistry::open(KeySlot& slot, bool create) {
    if (!slot.handle)
        slot.handle = create ? registry_.createKey(platform::RegistryRoot::CurrentUser, slot.path)
                             : registry_.openKey(platform::RegistryRoot::CurrentUser, slot.path);
    return slot.handle.get();
}

bool TRegistry::readPair(KeySlot& slot, std::string_view first, std::string_view second, int& a,
                         int& b) {
    platform::RegistryKey* key = open(slot, false);
    if (!key) return false;
    const auto x = readDword(*key, first);
    const auto y = readDword(*key, second);
    if (!x || !y) return false;
    a = *x;
    b = *y;
    return true;
}

void TRegistry::writePair(KeySlot& slot, std::string_view first, std::string_view second, int a,
                          int b) {
    platform::RegistryKey* key = open(slot, true);
    if (key && writeDword(*key, first, a)) writeDword(*key, second, b);
}

bool TRegistry::ReadPosition(int& left, int& top) {
    return readPair(position_, "Left", "Top", left, top);
}

bool TRegistry::ReadSize(int& width, int& height) {
    return readPair(position_, "Width", "Height", width, height);
}

void TRegistry::WritePosition(int left, int top) {
    writePair(position_, "Left", "Top", left, top);
}

void TRegistry::WriteSize(int width, int height) {
    writePair(position_, "Width", "Height", width, height);
}

bool TRegistry::ReadBeside() {
    platform::RegistryKey* key = open(shadow_, false);
    if (!key) return true;
    const auto side = readDword(*key, "Side");
    return !side || *side != 0;
}

void TRegistry::WriteBeside(bool beside) {
    if (platform::RegistryKey* key = open(shadow_, true)) writeDword(*key, "Side", beside ? 1 : 0);
}

std::uint64_t TRegistry::AttachmentLimit() {
    platform::RegistryKey* key = open(attachments_, false);
    const auto megabytes = key ? readDword(*key, "MaxSizeMB") : std::nullopt;
    if (!megabytes || *megabytes <= 0) return notes::kDefaultAttachmentLimit;
    return static_cast<std::uint64_t>(*megabytes) * 1024 * 1024;
}

bool TRegistry::HasProgramSettings() {
    return registry_.openKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise") != nullptr;
}

void TRegistry::WriteWelcomeShown() {
    if (platform::RegistryKey* key = open(welcome_, true)) writeDword(*key, "Shown", 1);
}

bool TRegistry::TraylessNoticeShown() {
    platform::RegistryKey* key = open(trayless_, false);
    const auto shown = key ? readDword(*key, "Shown") : std::nullopt;
    return shown && *shown != 0;
}

void TRegistry::WriteTraylessNoticeShown() {
    if (platform::RegistryKey* key = open(trayless_, true)) writeDword(*key, "Shown", 1);
}

bool TRegistry::FiledConfirmationOn() {
    platform::RegistryKey* key = open(confirmation_, false);
    const auto on = key ? readDword(*key, "On") : std::nullopt;
    return !on || *on != 0;
}

}  // namespace shell
