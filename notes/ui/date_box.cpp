#include "notes/ui/date_box.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScreen>

#include "notes/ui/note_icons.h"

namespace notes::ui {
namespace {

std::chrono::year_month_day toDay(const QDate& date) {
    return std::chrono::year{date.year()} /
           std::chrono::month{static_cast<unsigned>(date.month())} /
           std::chrono::day{static_cast<unsigned>(date.day())};
}

QDate toQDate(const std::chrono::year_month_day& day) {
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

}  // namespace

DateBox::DateBox(platform::ShortDateFormat format, QWidget* parent)
    : QLineEdit(parent), format_(std::move(format)), calendar_(new QCalendarWidget(this)) {
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setObjectName("calDate");
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setGridVisible(false);

    QAction* drop = addAction(noteIcon(NoteIcon::Appointment), QLineEdit::TrailingPosition);
    drop->setObjectName("actDropCalendar");
    drop->setToolTip(tr("Pick a day"));
    connect(drop, &QAction::triggered, this, &DateBox::showCalendar);

    connect(this, &QLineEdit::textEdited, this, &DateBox::dateEdited);
    connect(calendar_, &QCalendarWidget::clicked, this, &DateBox::pick);
    connect(calendar_, &QCalendarWidget::activated, this, &DateBox::pick);
}

void DateBox::showText(const QString& shown) {
    if (text() == shown) return;
    if (hasFocus()) {
        const auto typed = platform::parseShortDate(format_, text().toStdString());
        if (typed && typed == platform::parseShortDate(format_, shown.toStdString())) return;
    }
    setText(shown);
}

QString DateBox::widestText() const {
    // Two-digit days and months in a four-digit year; the digits of a font are alike in width.
    const std::chrono::year_month_day sample{std::chrono::year{2028}, std::chrono::month{12},
                                             std::chrono::day{28}};
    return QString::fromStdString(platform::formatShortDate(format_, sample));
}

void DateBox::showCalendar() {
    const auto shown = platform::parseShortDate(format_, text().toStdString());
    const QDate day = shown ? toQDate(*shown) : QDate::currentDate();
    calendar_->setSelectedDate(day);
    calendar_->setCurrentPage(day.year(), day.month());

    const QSize size = calendar_->sizeHint();
    QPoint at = mapToGlobal(QPoint(0, height()));
    // Kept on the screen: above the box when there is no room below it.
    if (const QScreen* here = screen()) {
        const QRect area = here->availableGeometry();
        if (at.y() + size.height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    }
    calendar_->move(at);
    calendar_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

void DateBox::pick(const QDate& day) {
    calendar_->hide();
    const QString picked = QString::fromStdString(platform::formatShortDate(format_, toDay(day)));
    setText(picked);
    setFocus(Qt::OtherFocusReason);
    emit dateEdited(picked);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    // The usual keys of a drop-down field open the calendar.
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Opening the calendar or leaving the window is no move to another control.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit left();
}

}  // namespace notes::ui
