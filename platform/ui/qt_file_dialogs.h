#pragma once

#include "platform/file_dialogs.h"

class QWidget;

namespace platform {

// The desktop's file-open dialog, for existing files only.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> openExistingFile(const std::string& caption) override;

private:
    QWidget* parent_;
};

}  // namespace platform
