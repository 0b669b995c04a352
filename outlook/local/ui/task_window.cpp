#include "outlook/local/ui/task_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

#include "outlook/local/ui/form_fields.h"
#include "outlook/local/ui/store_presentation.h"
#include "outlook/object_model.h"
#include "outlook/ole_date.h"

namespace outlook::local {

namespace {

constexpr std::int32_t kStatuses[] = {olTaskNotStarted, olTaskInProgress, olTaskComplete,
                                      olTaskWaiting, olTaskDeferred};

QDate today() {
    return QDate::currentDate();
}

}  // namespace

TaskWindow::TaskWindow(std::unique_ptr<TaskEditor> editor, WindowSizes& sizes,
                       platform::MessageBoxes* boxes, std::vector<std::string> categories,
                       QWidget* parent)
    : ItemWindow(std::move(editor), {"TaskForm", FolderKind::Tasks, "TaskForm", QSize(620, 560)},
                 sizes, boxes, std::move(categories), parent) {
    build(makeFields());
    subject_->setFocus();
}

TaskEditor& TaskWindow::fields() {
    return static_cast<TaskEditor&>(editor());
}

const TaskEditor& TaskWindow::fields() const {
    return static_cast<const TaskEditor&>(editor());
}

QWidget* TaskWindow::makeFields() {
    auto* box = new QWidget(this);
    subject_ = new QLineEdit(box);
    subject_->setObjectName("edSubject");
    hasDue_ = new QCheckBox(tr("D&ue:"), box);
    hasDue_->setObjectName("chkDue");
    due_ = makeDateEdit(box, "dtDue");
    status_ = new QComboBox(box);
    status_->setObjectName("cbStatus");
    for (std::int32_t status : kStatuses)
        status_->addItem(qt(taskStatusText(status)), status);
    percent_ = new QSpinBox(box);
    percent_->setObjectName("spinPercent");
    percent_->setRange(0, 100);
    percent_->setSuffix(" %");
    reminder_ = new QCheckBox(tr("&Reminder:"), box);
    reminder_->setObjectName("chkReminder");
    reminderDay_ = makeDateEdit(box, "dtReminder");
    reminderTime_ = makeTimeBox(box, "cbReminderTime");
    markComplete_ = new QPushButton(tr("&Mark complete"), box);
    markComplete_->setObjectName("btnMarkComplete");
    markComplete_->setAutoDefault(false);
    markComplete_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto right = [box](const QString& text, QWidget* field) {
        return fieldLabel(text, field, box, Qt::AlignRight | Qt::AlignVCenter);
    };
    grid->addWidget(right(tr("S&ubject:"), subject_), 0, 0);
    grid->addWidget(subject_, 0, 1, 1, 4);
    auto* dueRow = new QHBoxLayout;
    dueRow->addWidget(due_);
    dueRow->addStretch(1);
    grid->addWidget(hasDue_, 1, 0, Qt::AlignRight);
    grid->addLayout(dueRow, 1, 1);
    grid->addWidget(right(tr("&Status:"), status_), 1, 2);
    grid->addWidget(status_, 1, 3);
    auto* reminderRow = new QHBoxLayout;
    reminderRow->addWidget(reminderDay_);
    reminderRow->addWidget(reminderTime_);
    reminderRow->addStretch(1);
    grid->addWidget(reminder_, 2, 0, Qt::AlignRight);
    grid->addLayout(reminderRow, 2, 1);
    grid->addWidget(right(tr("% Co&mplete:"), percent_), 2, 2);
    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(percent_);
    percentRow->addWidget(markComplete_);
    grid->addLayout(percentRow, 2, 3, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) {
        fields().subject = text.toStdString();
        showHeader();
    });
    connect(hasDue_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) return;
        fields().dueDate = on ? std::optional(fromQDate(due_->date())) : std::nullopt;
        showFields();
    });
    connect(due_, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (!showing_ && hasDue_->isChecked()) fields().dueDate = fromQDate(date);
        showHeader();
    });
    connect(status_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_ || index < 0) return;
        fields().setStatus(status_->itemData(index).toInt());
        showFields();
    });
    connect(percent_, &QSpinBox::valueChanged, this, [this](int value) {
        if (showing_) return;
        fields().setPercentComplete(value);
        showFields();
    });
    connect(markComplete_, &QPushButton::clicked, this, [this] {
        fields().markComplete();
        showFields();
    });
    connect(reminder_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) return;
        fields().reminder = on;
        showFields();
    });
    connect(reminderDay_, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (!showing_) fields().reminderAt.day = fromQDate(date);
    });
    connect(reminderTime_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!showing_) fields().reminderAt.time = text.toStdString();
    });
    return box;
}

void TaskWindow::showFields() {
    showing_ = true;
    const TaskEditor& f = fields();
    if (subject_->text() != qt(f.subject)) subject_->setText(qt(f.subject));
    hasDue_->setChecked(f.dueDate.has_value());
    due_->setEnabled(f.dueDate.has_value());
    due_->setDate(f.dueDate ? toQDate(*f.dueDate) : today());
    status_->setCurrentIndex(std::max(0, status_->findData(f.status())));
    percent_->setValue(f.percentComplete());
    markComplete_->setEnabled(f.status() != olTaskComplete);
    reminder_->setChecked(f.reminder);
    reminderDay_->setEnabled(f.reminder);
    reminderTime_->setEnabled(f.reminder);
    reminderDay_->setDate(toQDate(f.reminderAt.day));
    reminderTime_->setCurrentText(localeTime(f.reminderAt.time));
    showing_ = false;
    showHeader();
}

QString TaskWindow::summary() const {
    const TaskEditor& f = fields();
    QString text = tr("Task");
    if (f.status() == olTaskComplete && f.dateCompleted())
        return text + "  \u00B7  " +
               tr("Completed on %1")
                   .arg(QLocale().toString(toQDate(*f.dateCompleted()), QLocale::LongFormat));
    if (f.dueDate)
        text += "  \u00B7  " +
                tr("Due %1").arg(QLocale().toString(toQDate(*f.dueDate), QLocale::LongFormat));
    else
        text += "  \u00B7  " + tr("No due date");
    return text + "  \u00B7  " + qt(taskStatusText(f.status()));
}

}  // namespace outlook::local
