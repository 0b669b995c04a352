#pragma once

#include <filesystem>
#include <string>

#include "platform/help_viewer.h"
#include "platform/message_boxes.h"

namespace platform {

// The program's help as one HTML file, opened by the desktop's browser: the contents at the
// top, a window's topic at its anchor "#topic-<number>".
class DesktopHelpViewer : public HelpViewer {
public:
    static constexpr const char* kFileName = "Jotwise for MS Outlook.html";

    // The help file in `folder` (the program's own); a missing file is told through `boxes`.
    DesktopHelpViewer(std::filesystem::path folder, MessageBoxes& boxes, std::string caption);

    void showContents() override;
    void showTopic(int topic) override;

    std::filesystem::path file() const { return folder_ / kFileName; }

private:
    void open(const std::string& anchor);

    std::filesystem::path folder_;
    MessageBoxes& boxes_;
    std::string caption_;
};

}  // namespace platform
