#pragma once

#include <QDate>
#include <QString>
#include <chrono>
#include <string>

#include "outlook/local/store/folder_kind.h"

class QComboBox;
class QHBoxLayout;
class QDateEdit;
class QLabel;
class QWidget;

namespace outlook::local {

// A date picker with a calendar, in the desktop's short date format with the year in full.
QDateEdit* makeDateEdit(QWidget* parent, const char* objectName);
// A time field that takes typing and offers the half hours of the day, in the desktop's
// time format.
QComboBox* makeTimeBox(QWidget* parent, const char* objectName);
// A form's time text ("3:00pm") as the desktop writes times; text that is no time as it is.
QString localeTime(const std::string& typed);
QDate toQDate(std::chrono::year_month_day day);
std::chrono::year_month_day fromQDate(QDate date);
// The top of a form, like a card: the folder's icon as tall as the two lines beside it, the
// item's name large and bold (`heading`), and a grey line below it (`subheading`).
struct CardHeader {
    QHBoxLayout* layout = nullptr;
    QLabel* heading = nullptr;
    QLabel* subheading = nullptr;
};
CardHeader makeCardHeader(QWidget* owner, FolderKind icon);

// A label for `field`, with its mnemonic.
QLabel* fieldLabel(const QString& text, QWidget* field, QWidget* parent,
                   Qt::Alignment alignment = {});

}  // namespace outlook::local
