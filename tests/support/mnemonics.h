#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QStringList>
#include <QWidget>
#include <string>

namespace jotwise::testing {

// The Alt+letter keys that more than one control of a window answers to, each with the texts
// that claim it, or "" when every key reaches one control. Qt moves the focus between such controls instead of pressing the button, so
// a clash makes a key do something else than its label says.
inline std::string clashingMnemonics(const QWidget& window) {
    QMap<QChar, QStringList> claims;
    const auto claim = [&](const QString& text) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != '&') continue;
            if (text[i + 1] != '&') claims[text[i + 1].toLower()] << text;
            ++i;
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy()) claim(label->text());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        claim(button->text());
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        claim(box->title());
    QStringList clashes;
    for (auto it = claims.cbegin(); it != claims.cend(); ++it)
        if (it->size() > 1) clashes << QString("Alt+%1: %2").arg(it.key(), it->join(", "));
    return clashes.join("; ").toStdString();
}

}  // namespace jotwise::testing
