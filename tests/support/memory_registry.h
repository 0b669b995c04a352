#pragma once

#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace jotwise::testing {

// A registry in memory: values by "root\key" and name (lower case).
class MemoryRegistry : public platform::Registry {
public:
    using Values = std::map<std::string, platform::RegistryValue>;

    std::unique_ptr<platform::RegistryKey> openKey(platform::RegistryRoot root,
                                                   std::string_view path) override {
        const auto it = keys_.find(keyName(root, path));
        if (it == keys_.end()) return nullptr;
        return std::make_unique<Key>(it->second, readOnly);
    }
    std::unique_ptr<platform::RegistryKey> createKey(platform::RegistryRoot root,
                                                     std::string_view path) override {
        if (readOnly) return nullptr;
        return std::make_unique<Key>(keys_[keyName(root, path)], readOnly);
    }
    // The value, or nothing.
    std::optional<platform::RegistryValue> value(std::string_view path, std::string_view name) {
        auto key = openKey(platform::RegistryRoot::CurrentUser, path);
        return key ? key->queryValue(name) : std::nullopt;
    }
    bool readOnly = false;

private:
    class Key : public platform::RegistryKey {
    public:
        Key(std::shared_ptr<Values>& values, bool readOnly) : readOnly_(readOnly) {
            if (!values) values = std::make_shared<Values>();
            values_ = values;
        }
        std::optional<platform::RegistryValue> queryValue(std::string_view name) const override {
            const auto it = values_->find(lower(name));
            if (it == values_->end()) return std::nullopt;
            return it->second;
        }
        bool setValue(std::string_view name, const platform::RegistryValue& value) override {
            if (readOnly_) return false;
            (*values_)[lower(name)] = value;
            return true;
        }
        bool deleteValue(std::string_view name) override { return values_->erase(lower(name)) > 0; }

    private:
        std::shared_ptr<Values> values_;
        bool readOnly_;
    };
    static std::string lower(std::string_view text) {
        std::string out(text);
        for (char& c : out)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    }
    static std::string keyName(platform::RegistryRoot root, std::string_view path) {
        return (root == platform::RegistryRoot::CurrentUser ? "hkcu\\" : "hklm\\") + lower(path);
    }
    std::map<std::string, std::shared_ptr<Values>> keys_;
};

}  // namespace jotwise::testing
