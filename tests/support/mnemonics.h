#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QStringList>
#include <QWidget>
#include <string>

namespace jotwise::testing {

// Collects the Alt+letter keys that texts claim and names those claimed more than once.
class MnemonicClaims {
public:
    void claim(const QString& text) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != '&') continue;
            if (text[i + 1] != '&') claims_[text[i + 1].toLower()] << text;
            ++i;
        }
    }
    std::string clashes() const {
        QStringList clashes;
        for (auto it = claims_.cbegin(); it != claims_.cend(); ++it)
            if (it->size() > 1) clashes << QString("Alt+%1: %2").arg(it.key(), it->join(", "));
        return clashes.join("; ").toStdString();
    }

private:
    QMap<QChar, QStringList> claims_;
};

// The Alt+letter keys that more than one control of a window answers to, each with the texts
// that claim it, or "" when every key reaches one control. Qt moves the focus between such controls
// instead of pressing the button, so a clash makes a key do something else than its label says.
inline std::string clashingMnemonics(const QWidget& window) {
    MnemonicClaims claims;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy()) claims.claim(label->text());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        claims.claim(button->text());
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        claims.claim(box->title());
    return claims.clashes();
}

// The same for the items of one menu: a letter that two items claim only moves between them.
inline std::string clashingMnemonics(const QMenu& menu) {
    MnemonicClaims claims;
    for (const QAction* item : menu.actions())
        claims.claim(item->text());
    return claims.clashes();
}

}  // namespace jotwise::testing
