#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

// The parts that the windows which explain something (Getting Started, the window without a
// tray icon) share besides their paragraphs.
namespace shell::ui {

// About this many characters of the window's font to a line: short enough to read, wide
// enough for the command to import contacts on one line.
constexpr int kExplainingLineLength = 58;

// The window's title line, larger and bold.
inline QLabel* heading(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont larger = label->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.4);
    larger.setBold(true);
    label->setFont(larger);
    return label;
}

// A Close button, the default one, that closes the window.
inline QDialogButtonBox* closeButtons(QDialog* window) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName("btnClose");
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    return buttons;
}

// The width follows the font, and the height the wrapped texts at that width (set, not
// adjusted: adjusting would keep it within two thirds of a small screen).
inline void fitToText(QDialog& window) {
    const int width = window.fontMetrics().averageCharWidth() * kExplainingLineLength;
    window.setMinimumWidth(width);
    window.resize(width, window.layout()->totalHeightForWidth(width));
}

}  // namespace shell::ui
