#pragma once

#include <QLabel>

namespace shell::ui {

// A paragraph of rich text in a window that explains something: wrapped, and selectable so
// that a command in it can be copied.
inline QLabel* paragraph(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace shell::ui
