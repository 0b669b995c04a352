#include "platform/ui/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace platform {

std::optional<std::string> QtFileDialogs::openExistingFile(const std::string& caption) {
    // getOpenFileName accepts only files that exist.
    const QString chosen = QFileDialog::getOpenFileName(
        parent_, QString::fromStdString(caption), folder_.isEmpty() ? QDir::homePath() : folder_);
    if (chosen.isEmpty()) return std::nullopt;
    folder_ = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
}

}  // namespace platform
