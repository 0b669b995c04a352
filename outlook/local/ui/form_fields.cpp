#include "outlook/local/ui/form_fields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include "outlook/local/form_time.h"

namespace outlook::local {

using namespace std::chrono;

namespace {

// The desktop's time format without seconds, which no form asks for.
QString timeFormat() {
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression("[:.]ss"));
    return format;
}

}  // namespace

QDateEdit* makeDateEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(objectName);
    edit->setCalendarPopup(true);
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // Two-digit years read badly beside a calendar; the desktop's order stays.
    if (!format.contains("yyyy")) format.replace("yy", "yyyy");
    edit->setDisplayFormat(format);
    return edit;
}

QComboBox* makeTimeBox(QWidget* parent, const char* objectName) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(12);
    for (int minutes = 0; minutes < 24 * 60; minutes += 30)
        box->addItem(QLocale().toString(QTime(minutes / 60, minutes % 60), timeFormat()));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Room for a time typed in another form than the list's ("12:30 pm" beside "12:30").
    box->setMinimumContentsLength(8);
    return box;
}

QString localeTime(const std::string& typed) {
    const auto time = minutesOfDay(typed);
    if (!time) return QString::fromStdString(typed);
    const int total = static_cast<int>(time->count()) % (24 * 60);
    return QLocale().toString(QTime(total / 60, total % 60), timeFormat());
}

QDate toQDate(year_month_day day) {
    return QDate(int(day.year()), int(unsigned(day.month())), int(unsigned(day.day())));
}

year_month_day fromQDate(QDate date) {
    return year{date.year()} / month{unsigned(date.month())} / day{unsigned(date.day())};
}

QLabel* fieldLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

}  // namespace outlook::local
