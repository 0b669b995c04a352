#pragma once

#include <string>

namespace shell {

// The desktop's notifications: a short message in the corner of the screen that goes away by
// itself. Where the desktop has no notification server, nothing shows.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void notify(const std::string& summary, const std::string& body) = 0;
};

}  // namespace shell
