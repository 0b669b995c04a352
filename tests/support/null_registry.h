#pragma once

#include <memory>
#include <string_view>

#include "platform/registry.h"

namespace jotwise::testing {

// A registry without keys, where nothing can be created: whoever reads settings finds none.
class NullRegistry : public platform::Registry {
public:
    std::unique_ptr<platform::RegistryKey> openKey(platform::RegistryRoot,
                                                   std::string_view) override {
        return nullptr;
    }
    std::unique_ptr<platform::RegistryKey> createKey(platform::RegistryRoot,
                                                     std::string_view) override {
        return nullptr;
    }
};

}  // namespace jotwise::testing
