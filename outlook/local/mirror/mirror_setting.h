#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "outlook/local/mirror/mirror.h"
#include "platform/registry.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::mirror {

// Where the profile's settings keep the mirror's folder (under CurrentUser, a string value).
// No value, or an empty one, means no mirror.
extern const char* const kMirrorKey;          // Software\Jotwise\Mirror
extern const char* const kMirrorFolderValue;  // Folder

// The folder the settings name; a relative one is taken from the home folder.
std::optional<std::filesystem::path> mirrorFolderSetting(platform::Registry& registry);
// Stores the folder, or switches the mirror off (nothing); false when the setting cannot be
// written.
bool setMirrorFolderSetting(platform::Registry& registry,
                            const std::optional<std::filesystem::path>& folder);

// Starts a mirror into `options.root` as the store's change observer; one already there
// stops first.
std::shared_ptr<Mirror> attachMirror(Store& store, Mirror::Options options);
// Brings the store's mirror in line with the settings: starts one when they name a folder,
// moves it when they name another, stops it when they name none. Returns the mirror now
// attached, or nullptr. Cheap while the setting stays as it is (a FileRegistry reads its
// file again only when the file changed), so it can follow every poll of the store; never
// to be called with the store's lock held, as stopping a mirror waits for its thread, which
// reads the store. Never throws: a mirror that cannot start now is tried on the next call.
std::shared_ptr<Mirror> followMirrorSetting(Store& store, platform::Registry& registry) noexcept;
// The store's mirror, or nullptr.
std::shared_ptr<Mirror> attachedMirror(const Store& store);

}  // namespace outlook::local::mirror
