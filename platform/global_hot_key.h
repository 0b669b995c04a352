#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// A key combination that reaches the program whichever window has the focus.
class GlobalHotKey {
public:
    virtual ~GlobalHotKey() = default;
    // Takes Ctrl+Alt+`letter` (an upper-case ASCII letter) under `id`; every press calls
    // `pressed` on the program's event loop. False with the reason when the desktop does not
    // give it (another program holds it, or the desktop has no such keys).
    virtual bool registerCtrlAlt(std::uint16_t id, char letter, std::function<void()> pressed,
                                 std::string& reason) = 0;
    virtual void unregister(std::uint16_t id) = 0;
};

}  // namespace platform
