#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The two roots the program reads settings from.
enum class RegistryRoot { CurrentUser, LocalMachine };

// Value types with their Windows numbers, so stored data and callers agree on them.
enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1,  // REG_SZ
    Binary = 3,  // REG_BINARY
    Dword = 4,   // REG_DWORD
};

struct RegistryValue {
    RegistryType type = RegistryType::None;
    std::string text;         // REG_SZ
    std::uint32_t dword = 0;  // REG_DWORD
    std::string bytes;        // REG_BINARY and other raw types

    static RegistryValue ofString(std::string s) {
        return {RegistryType::String, std::move(s), 0, {}};
    }
    static RegistryValue ofDword(std::uint32_t d) { return {RegistryType::Dword, {}, d, {}}; }
};

// An open key. Value names compare case-insensitively; "" names the key's default value.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // The value with its type, or nothing when the key has no such value.
    virtual std::optional<RegistryValue> queryValue(std::string_view name) const = 0;
    // False when the value could not be stored (read-only root, unwritable file).
    virtual bool setValue(std::string_view name, const RegistryValue& value) = 0;
    virtual bool deleteValue(std::string_view name) = 0;
};

// Keys are paths with "\" between their parts ("Software\Jotwise\Note\Position"),
// compared case-insensitively.
class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key; nullptr when it does not exist.
    virtual std::unique_ptr<RegistryKey> openKey(RegistryRoot root, std::string_view path) = 0;
    // Opens a key, creating it and its missing parents; nullptr when that fails.
    virtual std::unique_ptr<RegistryKey> createKey(RegistryRoot root, std::string_view path) = 0;
};

}  // namespace platform
