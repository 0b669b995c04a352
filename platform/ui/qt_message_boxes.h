#pragma once

#include "platform/message_boxes.h"

class QWidget;

namespace platform {

// Application-modal QMessageBox with the caption, icon and buttons asked for.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    MessageAnswer show(const std::string& caption, const std::string& text, MessageIcon icon,
                       MessageButtons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace platform
