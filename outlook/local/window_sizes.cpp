#include "outlook/local/window_sizes.h"

#include <algorithm>
#include <cstdint>

namespace outlook::local {

namespace {

constexpr const char* kKey = "Software\\Jotwise\\Store Windows\\";
// Larger than any screen: a value beyond it is damage, not a size.
constexpr std::uint32_t kLargest = 16384;

bool usable(WindowSize size) {
    return size.width > 0 && size.height > 0 && size.width <= static_cast<int>(kLargest) &&
           size.height <= static_cast<int>(kLargest);
}

}  // namespace

WindowSize fittedInto(WindowSize size, WindowSize room) {
    if (room.width > 0) size.width = std::min(size.width, room.width);
    if (room.height > 0) size.height = std::min(size.height, room.height);
    return size;
}

std::optional<WindowSize> MemoryWindowSizes::size(const std::string& window) const {
    const auto found = sizes_.find(window);
    if (found == sizes_.end()) return std::nullopt;
    return found->second;
}

void MemoryWindowSizes::setSize(const std::string& window, WindowSize size) {
    if (usable(size)) sizes_[window] = size;
}

std::optional<WindowSize> RegistryWindowSizes::size(const std::string& window) const {
    const auto key = registry_.openKey(platform::RegistryRoot::CurrentUser, kKey + window);
    if (!key) return std::nullopt;
    const auto width = key->queryValue("Width"), height = key->queryValue("Height");
    if (!width || !height || width->type != platform::RegistryType::Dword ||
        height->type != platform::RegistryType::Dword)
        return std::nullopt;
    const WindowSize size{static_cast<int>(std::min(width->dword, kLargest + 1)),
                          static_cast<int>(std::min(height->dword, kLargest + 1))};
    if (!usable(size)) return std::nullopt;
    return size;
}

void RegistryWindowSizes::setSize(const std::string& window, WindowSize size) {
    if (!usable(size)) return;
    const auto key = registry_.createKey(platform::RegistryRoot::CurrentUser, kKey + window);
    if (!key) return;
    key->setValue("Width",
                  platform::RegistryValue::ofDword(static_cast<std::uint32_t>(size.width)));
    key->setValue("Height",
                  platform::RegistryValue::ofDword(static_cast<std::uint32_t>(size.height)));
}

}  // namespace outlook::local
