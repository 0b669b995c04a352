#pragma once

#include <QLineEdit>

#include "platform/locale.h"

class QCalendarWidget;

namespace notes::ui {

// A date field that may stay empty: the user types a date in the short date format, or
// picks a day from the calendar its button drops down. Setting the text from the program
// emits nothing.
class DateBox : public QLineEdit {
    Q_OBJECT

public:
    explicit DateBox(platform::ShortDateFormat format, QWidget* parent = nullptr);

    // Shows a text from the program. While the user is typing, a text that names the same
    // day as what they typed so far leaves their typing alone ("3/4/2" stays as typed rather
    // than becoming "3/4/2002" under the cursor).
    void showText(const QString& text);

    // The longest text a date takes in the box's format, for sizing it.
    QString widestText() const;

    // Drops the calendar down below the box, on the day the box holds (else today).
    void showCalendar();
    QCalendarWidget* calendar() const { return calendar_; }

signals:
    // The user typed into the box or picked a day: the box's new text.
    void dateEdited(const QString& text);
    // The focus moved on to another control.
    void left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void pick(const QDate& day);

    platform::ShortDateFormat format_;
    QCalendarWidget* calendar_;
};

}  // namespace notes::ui
