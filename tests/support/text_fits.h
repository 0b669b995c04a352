#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>
#include <string>
#include <vector>

namespace jotwise::testing {

// Keeps the application's font and palette as they were and puts them back at the end of the
// scope, whatever a test set in between.
class ApplicationLookScope {
public:
    ApplicationLookScope() = default;
    ~ApplicationLookScope() {
        QApplication::setFont(font_);
        QApplication::setPalette(palette_);
    }
    ApplicationLookScope(const ApplicationLookScope&) = delete;
    ApplicationLookScope& operator=(const ApplicationLookScope&) = delete;

private:
    QFont font_ = QApplication::font();
    QPalette palette_ = QApplication::palette();
};

// Sets the application's font to the given point size for the life of the scope, so windows
// created inside it are laid out as a user with that font setting sees them.
class ApplicationFontSize : ApplicationLookScope {
public:
    explicit ApplicationFontSize(int points) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
    }
};

// Gives the application a dark palette for the life of the scope.
class DarkPalette : ApplicationLookScope {
public:
    DarkPalette() {
        const QColor text(0xe8, 0xe8, 0xe8), control(0x3a, 0x3a, 0x3a), off(0x80, 0x80, 0x80);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
        dark.setColor(QPalette::WindowText, text);
        dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
        dark.setColor(QPalette::Text, text);
        dark.setColor(QPalette::Button, control);
        dark.setColor(QPalette::ButtonText, text);
        dark.setColor(QPalette::ToolTipBase, control);
        dark.setColor(QPalette::ToolTipText, text);
        dark.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
        dark.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        for (QPalette::ColorRole role :
             {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            dark.setColor(QPalette::Disabled, role, off);
        QApplication::setPalette(dark);
    }
};

namespace detail {

inline std::string describe(const QWidget& widget, const QString& text, int needed, int has) {
    const QString name =
        widget.objectName().isEmpty() ? widget.metaObject()->className() : widget.objectName();
    return (name + " \"" + text + "\" needs " + QString::number(needed) + " px, has " +
            QString::number(has))
        .toStdString();
}

inline bool shown(const QWidget& widget, const QWidget& window) {
    return widget.isVisibleTo(&window) && widget.width() > 0 && widget.height() > 0;
}

// A push or tool button's size hint has a minimum width that plain text need not reach; what
// must fit is the text, the icon beside it and a little margin. Check boxes and radio buttons
// need their indicator, which their size hint counts.
inline int neededWidth(const QAbstractButton& button) {
    if (!button.inherits("QPushButton") && !button.inherits("QToolButton"))
        return button.sizeHint().width();
    QString text = button.text();
    text.replace("&&", "\x01").remove('&').replace("\x01", "&");
    const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
    return button.fontMetrics().horizontalAdvance(text) + icon + 6;
}

}  // namespace detail

// Every label, button and combo box in the window whose text does not fit in it, described
// for a test's failure message; empty when everything can be read. The window must have
// been shown (or at least laid out) so the widgets have their real sizes.
inline std::vector<std::string> clippedTexts(const QWidget& window) {
    std::vector<std::string> clipped;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!detail::shown(*label, window) || label->text().isEmpty() || !label->pixmap().isNull())
            continue;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height())
                clipped.push_back(detail::describe(*label, label->text(), needed, label->height()));
            continue;
        }
        const int needed = label->sizeHint().width() - 2 * label->margin();
        if (needed > room.width() + 1)
            clipped.push_back(detail::describe(*label, label->text(), needed, room.width()));
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!detail::shown(*button, window) || button->text().isEmpty()) continue;
        const int needed = detail::neededWidth(*button);
        if (needed > button->width() + 1)
            clipped.push_back(detail::describe(*button, button->text(), needed, button->width()));
    }
    for (const QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (!detail::shown(*combo, window) || combo->currentText().isEmpty()) continue;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText());
        if (needed > field.width())
            clipped.push_back(
                detail::describe(*combo, combo->currentText(), needed, field.width()));
    }
    return clipped;
}

}  // namespace jotwise::testing
