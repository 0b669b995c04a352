#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace outlook::local {

struct WindowSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// `size`, each side cut down to `room` where it is larger; a side of `room` that is not
// positive limits nothing.
WindowSize fittedInto(WindowSize size, WindowSize room);

// Where the store's windows remember their size between one opening and the next, by the
// window's name ("ContactForm", "Explorer"). Sizes that are not positive are never kept.
class WindowSizes {
public:
    virtual ~WindowSizes() = default;
    virtual std::optional<WindowSize> size(const std::string& window) const = 0;
    virtual void setSize(const std::string& window, WindowSize size) = 0;
};

// Sizes kept for the life of the process.
class MemoryWindowSizes : public WindowSizes {
public:
    std::optional<WindowSize> size(const std::string& window) const override;
    void setSize(const std::string& window, WindowSize size) override;

private:
    std::map<std::string, WindowSize> sizes_;
};

// Sizes kept in the current user's registry file, under "Software\Jotwise\Store
// Windows\<window>" as the DWORD values Width and Height, so that they outlast the program.
class RegistryWindowSizes : public WindowSizes {
public:
    explicit RegistryWindowSizes(platform::Registry& registry) : registry_(registry) {}
    std::optional<WindowSize> size(const std::string& window) const override;
    void setSize(const std::string& window, WindowSize size) override;

private:
    platform::Registry& registry_;
};

}  // namespace outlook::local
