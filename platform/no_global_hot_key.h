#pragma once

#include "platform/global_hot_key.h"

namespace platform {

// The hot key on a desktop that gives programs no system-wide keys at all: every key is
// refused, with what to do instead.
class NoGlobalHotKey : public GlobalHotKey {
public:
    bool registerCtrlAlt(std::uint16_t, char, std::function<void()>, std::string& reason) override {
        reason = std::string("This desktop gives programs no system-wide keys. ") +
                 kDesktopShortcutInstead;
        return false;
    }
    void unregister(std::uint16_t) override {}
};

}  // namespace platform
