#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/registry.h"

namespace platform {

class RegistryFile;  // one root's file, shared by the registry and the keys opened from it

// The registry kept in REGEDIT4 files, one per root.
//
// A key exists when it was created or lies above one that was; creating a key creates its
// parents and is saved even while the key has no values. Every change first re-reads the
// file when another process has changed it since it was read, then replaces it whole (mode
// 0600), so a crash leaves the old file or the new one. Reads notice such changes too. A
// missing file is an empty root. When the file holds lines that cannot be read, the first
// change copies the file aside to "<file>.damaged" (".damaged.1", ... when that is taken)
// before writing it without them. A change that cannot be saved reports failure and leaves
// the settings as the file has them. Open keys refer to their key by path and stay valid
// whatever other keys or other processes do. Nothing here throws.
class FileRegistry : public Registry {
public:
    // `currentUserFile` is read and written. `localMachineFile` is only read: every change
    // under that root fails.
    FileRegistry(const std::filesystem::path& currentUserFile,
                 const std::filesystem::path& localMachineFile);
    ~FileRegistry() override;

    std::unique_ptr<RegistryKey> openKey(RegistryRoot root, std::string_view path) override;
    std::unique_ptr<RegistryKey> createKey(RegistryRoot root, std::string_view path) override;

private:
    std::shared_ptr<RegistryFile> fileOf(RegistryRoot root) const;

    std::shared_ptr<RegistryFile> currentUser_;
    std::shared_ptr<RegistryFile> localMachine_;
};

// $XDG_CONFIG_HOME/jotwise/HKEY_CURRENT_USER.reg, under $HOME/.config when XDG_CONFIG_HOME
// is unset, empty or not absolute.
std::filesystem::path userRegistryFile();
// /etc/jotwise/HKEY_LOCAL_MACHINE.reg
std::filesystem::path machineRegistryFile();
// The program's registry: a FileRegistry on the two files above.
std::unique_ptr<Registry> openUserRegistry();

}  // namespace platform
