#pragma once

namespace platform {

// The program's help, shown by the desktop's viewer.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showContents() = 0;
    // A window's own topic.
    virtual void showTopic(int topic) = 0;
};

}  // namespace platform
