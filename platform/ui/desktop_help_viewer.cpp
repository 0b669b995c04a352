#include "platform/ui/desktop_help_viewer.h"

#include <QDesktopServices>
#include <QUrl>
#include <system_error>

namespace platform {

DesktopHelpViewer::DesktopHelpViewer(std::filesystem::path folder, MessageBoxes& boxes,
                                     std::string caption)
    : folder_(std::move(folder)), boxes_(boxes), caption_(std::move(caption)) {}

void DesktopHelpViewer::showContents() {
    open("");
}

void DesktopHelpViewer::showTopic(int topic) {
    open("topic-" + std::to_string(topic));
}

void DesktopHelpViewer::open(const std::string& anchor) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file(), error)) {
        boxes_.show(caption_, "The help file was not found: " + file().string(),
                    MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(file().string()));
    if (!anchor.empty()) url.setFragment(QString::fromStdString(anchor));
    if (!QDesktopServices::openUrl(url))
        boxes_.show(caption_, "No program to show the help file was found: " + file().string(),
                    MessageIcon::Warning, MessageButtons::Ok);
}

}  // namespace platform
