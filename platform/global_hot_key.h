#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace platform {

// What works where the desktop gives a program no key of its own: the desktop binds the key
// to the command that opens a note in the running program.
inline constexpr const char* kDesktopShortcutInstead =
    "Bind the command \"jotwise note\" to a key in the desktop's keyboard settings instead.";

// A key combination that reaches the program whichever window has the focus.
class GlobalHotKey {
public:
    // The key of `id`, registered before, is not given after all; `reason` is a sentence for
    // the user.
    using Refused = std::function<void(std::uint16_t id, const std::string& reason)>;

    virtual ~GlobalHotKey() = default;
    // Takes Ctrl+Alt+`letter` (an upper-case ASCII letter) under `id`; every press calls
    // `pressed` on the program's event loop. False with the reason (a sentence for the user)
    // when the desktop does not give it (another program holds it, or the desktop has no such
    // keys). Where the desktop answers later, true means the request went out, and a refusal
    // arrives through the handler set with onRefused, once.
    virtual bool registerCtrlAlt(std::uint16_t id, char letter, std::function<void()> pressed,
                                 std::string& reason) = 0;
    virtual void unregister(std::uint16_t id) = 0;

    void onRefused(Refused refused) { refused_ = std::move(refused); }

protected:
    void refuse(std::uint16_t id, const std::string& reason) const {
        if (refused_) refused_(id, reason);
    }

private:
    Refused refused_;
};

}  // namespace platform
