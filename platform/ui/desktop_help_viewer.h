#pragma once

#include <QObject>
#include <filesystem>
#include <string>

#include "platform/help_viewer.h"
#include "platform/message_boxes.h"

namespace platform {

// The program's help as one HTML file, opened by the desktop's browser: the contents at the
// top, a window's topic at its anchor "#topic-<number>". The desktop's opener (xdg-open) is
// run for it; when there is none, or it cannot start or ends with a failure (no browser to
// hand the page to), a box names the page so that the user can open it by hand.
class DesktopHelpViewer : public HelpViewer {
public:
    static constexpr const char* kFileName = "Jotwise for MS Outlook.html";
    static constexpr const char* kOpener = "xdg-open";

    // The help file in `folder` (the program's own); a missing file is told through `boxes`.
    DesktopHelpViewer(std::filesystem::path folder, MessageBoxes& boxes, std::string caption);

    void showContents() override;
    void showTopic(int topic) override;

    std::filesystem::path file() const { return folder_ / kFileName; }

private:
    void open(const std::string& anchor);
    void tellNoViewer();

    std::filesystem::path folder_;
    MessageBoxes& boxes_;
    std::string caption_;
    // What an opener reports after the viewer is gone reaches nobody.
    QObject receiver_;
};

}  // namespace platform
