#include "outlook/local/ui/form_fields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QVBoxLayout>

#include "outlook/local/form_time.h"
#include "outlook/local/ui/store_presentation.h"

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

CardHeader makeCardHeader(QWidget* owner, FolderKind iconKind) {
    CardHeader card;
    auto* icon = new QLabel(owner);
    const int side = owner->fontMetrics().height() * 5 / 2;
    icon->setPixmap(folderIcon(iconKind).pixmap(QSize(side, side)));
    icon->setAlignment(Qt::AlignTop);
    card.heading = new QLabel(owner);
    card.heading->setObjectName("lblHeading");
    QFont big = card.heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.35);
    big.setBold(true);
    card.heading->setFont(big);
    card.subheading = new QLabel(owner);
    card.subheading->setObjectName("lblSubheading");
    card.subheading->setEnabled(false);
    auto* text = new QVBoxLayout;
    text->setSpacing(0);
    text->addWidget(card.heading);
    text->addWidget(card.subheading);
    card.layout = new QHBoxLayout;
    card.layout->addWidget(icon);
    card.layout->addSpacing(6);
    card.layout->addLayout(text, 1);
    return card;
}

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

QLabel* fieldLabel(const QString& text, QWidget* field, QWidget* parent, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    if (alignment) label->setAlignment(alignment);
    return label;
}

}  // namespace outlook::local
