#pragma once

#include <QString>

#include "platform/file_dialogs.h"

class QWidget;

namespace platform {

// The desktop's file-open dialog, for existing files only. It opens in the user's home
// folder, then in the folder of the file last chosen.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> openExistingFile(const std::string& caption) override;

private:
    QWidget* parent_;
    QString folder_;
};

}  // namespace platform
