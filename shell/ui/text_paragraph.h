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

// A command in a paragraph, kept on one line so that it reads (and copies) as one.
inline QString code(const char* text) {
    return QStringLiteral("<code style=\"white-space: nowrap\">%1</code>").arg(text);
}

}  // namespace shell::ui
