#include "platform/ui/qt_file_dialogs.h"

#include <QFileDialog>

namespace platform {

std::optional<std::string> QtFileDialogs::openExistingFile(const std::string& caption) {
    // getOpenFileName accepts only files that exist.
    const QString chosen = QFileDialog::getOpenFileName(parent_, QString::fromStdString(caption));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

}  // namespace platform
