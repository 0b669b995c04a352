#include "outlook/local/ui/appointment_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "outlook/local/ui/form_fields.h"
#include "outlook/local/ui/store_presentation.h"
#include "outlook/object_model.h"

namespace outlook::local {

namespace {

struct BusyChoice {
    std::int32_t status;
    const char* text;
};
constexpr BusyChoice kShowAs[] = {{olFree, "Free"},
                                  {olTentative, "Tentative"},
                                  {olBusy, "Busy"},
                                  {olOutOfOffice, "Out of office"}};

}  // namespace

AppointmentWindow::AppointmentWindow(std::unique_ptr<AppointmentEditor> editor, WindowSizes& sizes,
                                     platform::MessageBoxes* boxes,
                                     std::vector<std::string> categories, QWidget* parent)
    : ItemWindow(std::move(editor),
                 {"AppointmentForm", FolderKind::Calendar, "AppointmentForm", QSize(640, 600)},
                 sizes, boxes, std::move(categories), parent) {
    build(makeFields());
    subject_->setFocus();
}

AppointmentEditor& AppointmentWindow::fields() {
    return static_cast<AppointmentEditor&>(editor());
}

const AppointmentEditor& AppointmentWindow::fields() const {
    return static_cast<const AppointmentEditor&>(editor());
}

QWidget* AppointmentWindow::makeFields() {
    auto* box = new QWidget(this);
    subject_ = new QLineEdit(box);
    subject_->setObjectName("edSubject");
    location_ = new QLineEdit(box);
    location_->setObjectName("edLocation");
    startDay_ = makeDateEdit(box, "dtStart");
    startTime_ = makeTimeBox(box, "cbStartTime");
    endDay_ = makeDateEdit(box, "dtEnd");
    endTime_ = makeTimeBox(box, "cbEndTime");
    allDay_ = new QCheckBox(tr("All &day"), box);
    allDay_->setObjectName("chkAllDay");
    reminder_ = new QCheckBox(tr("&Reminder"), box);
    reminder_->setObjectName("chkReminder");
    reminderLead_ = new QComboBox(box);
    reminderLead_->setObjectName("cbReminder");
    for (std::int32_t minutes : kReminderChoices)
        reminderLead_->addItem(tr("%1 before").arg(qt(describeMinutes(minutes))), minutes);
    showAs_ = new QComboBox(box);
    showAs_->setObjectName("cbShowAs");
    for (const auto& choice : kShowAs)
        showAs_->addItem(tr(choice.text), choice.status);

    repeatRow_ = new QWidget(box);
    repeat_ = new QLabel(repeatRow_);
    repeat_->setObjectName("lblRepeat");
    repeat_->setWordWrap(true);
    auto* removeRepeat = new QPushButton(tr("Remove re&peat"), repeatRow_);
    removeRepeat->setObjectName("btnRemoveRepeat");
    removeRepeat->setAutoDefault(false);
    auto* repeatLayout = new QHBoxLayout(repeatRow_);
    repeatLayout->setContentsMargins(0, 0, 0, 0);
    repeatLayout->addWidget(repeat_, 1);
    repeatLayout->addWidget(removeRepeat);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    const auto label = [&](const QString& text, QWidget* field, int row, int column) {
        grid->addWidget(fieldLabel(text, field, box, Qt::AlignRight | Qt::AlignVCenter), row,
                        column);
    };
    label(tr("S&ubject:"), subject_, 0, 0);
    grid->addWidget(subject_, 0, 1, 1, 5);
    label(tr("&Location:"), location_, 1, 0);
    grid->addWidget(location_, 1, 1, 1, 5);
    const auto when = [&](QDateEdit* day, QComboBox* time, QWidget* after) {
        auto* row = new QHBoxLayout;
        row->addWidget(day);
        row->addWidget(time);
        if (after) row->addWidget(after);
        row->addStretch(1);
        return row;
    };
    label(tr("S&tart:"), startDay_, 2, 0);
    grid->addLayout(when(startDay_, startTime_, allDay_), 2, 1, 1, 5);
    label(tr("&End:"), endDay_, 3, 0);
    grid->addLayout(when(endDay_, endTime_, nullptr), 3, 1, 1, 5);
    label(tr("Repeats:"), removeRepeat, 4, 0);
    grid->addWidget(repeatRow_, 4, 1, 1, 5);
    auto* reminderRow = new QHBoxLayout;
    reminderRow->addWidget(reminder_);
    reminderRow->addWidget(reminderLead_);
    reminderRow->addStretch(1);
    grid->addLayout(reminderRow, 5, 1, 1, 2);
    label(tr("Sho&w as:"), showAs_, 5, 3);
    grid->addWidget(showAs_, 5, 4, 1, 2, Qt::AlignLeft);
    // The repeat's label goes with its row.
    grid->itemAtPosition(4, 0)->widget()->setObjectName("lblRepeatTitle");

    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) {
        fields().subject = text.toStdString();
        showHeader();
    });
    connect(location_, &QLineEdit::textEdited, this,
            [this](const QString& text) { fields().location = text.toStdString(); });
    connect(startDay_, &QDateEdit::dateChanged, this, [this](QDate date) {
        fields().start.day = fromQDate(date);
        startSettled();
    });
    connect(endDay_, &QDateEdit::dateChanged, this,
            [this](QDate date) { fields().end.day = fromQDate(date); });
    connect(startTime_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        fields().start.time = text.toStdString();
        showHeader();
    });
    // A time picked from the list is settled at once; a typed one when the field is left.
    connect(startTime_, &QComboBox::activated, this, [this] { startSettled(); });
    connect(startTime_->lineEdit(), &QLineEdit::editingFinished, this, [this] { startSettled(); });
    connect(endTime_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { fields().end.time = text.toStdString(); });
    connect(allDay_, &QCheckBox::toggled, this, [this](bool on) {
        fields().allDay = on;
        startTime_->setEnabled(!on);
        endTime_->setEnabled(!on);
        showHeader();
    });
    connect(reminder_, &QCheckBox::toggled, this, [this](bool on) {
        fields().reminder = on;
        reminderLead_->setEnabled(on);
    });
    connect(reminderLead_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) fields().reminderMinutes = reminderLead_->itemData(index).toInt();
    });
    connect(showAs_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) fields().busyStatus = showAs_->itemData(index).toInt();
    });
    connect(removeRepeat, &QPushButton::clicked, this, [this] {
        fields().removeRepeat();
        showFields();
    });
    return box;
}

void AppointmentWindow::startSettled() {
    if (fields().startSettled()) {
        const DayAndTime end = fields().end;
        endDay_->setDate(toQDate(end.day));
        endTime_->setCurrentText(localeTime(end.time));
    }
    showHeader();
}

void AppointmentWindow::showFields() {
    const AppointmentEditor& f = fields();
    const auto setText = [](QLineEdit* edit, const std::string& text) {
        if (edit->text() != qt(text)) edit->setText(qt(text));
    };
    setText(subject_, f.subject);
    setText(location_, f.location);
    // Copies: filling one field reports back through its signal before the next is filled.
    const DayAndTime start = f.start, end = f.end;
    const bool allDay = f.allDay, reminder = f.reminder;
    const std::int32_t lead = f.reminderMinutes, busy = f.busyStatus;
    startDay_->setDate(toQDate(start.day));
    endDay_->setDate(toQDate(end.day));
    startTime_->setCurrentText(localeTime(start.time));
    endTime_->setCurrentText(localeTime(end.time));
    allDay_->setChecked(allDay);
    startTime_->setEnabled(!allDay);
    endTime_->setEnabled(!allDay);
    reminder_->setChecked(reminder);
    reminderLead_->setEnabled(reminder);
    int leadIndex = reminderLead_->findData(lead);
    if (leadIndex < 0) {
        reminderLead_->addItem(tr("%1 before").arg(qt(describeMinutes(lead))), lead);
        leadIndex = reminderLead_->count() - 1;
    }
    reminderLead_->setCurrentIndex(leadIndex);
    showAs_->setCurrentIndex(std::max(0, showAs_->findData(busy)));
    repeat_->setText(qt(f.repeat()));
    repeatRow_->setVisible(!f.repeat().empty());
    if (auto* title = findChild<QLabel*>("lblRepeatTitle")) title->setVisible(!f.repeat().empty());
}

QString AppointmentWindow::summary() const {
    const AppointmentEditor& f = fields();
    QString when = QLocale().toString(toQDate(f.start.day), QLocale::LongFormat);
    if (!f.allDay) when += ", " + localeTime(f.start.time);
    QString text = qt(f.kindName()) + "  \u00B7  " + when;
    if (!f.location.empty()) text += "  \u00B7  " + qt(f.location);
    return text;
}

}  // namespace outlook::local
