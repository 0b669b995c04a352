#include "outlook/local/ui/note_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "outlook/local/ui/form_fields.h"
#include "outlook/local/ui/store_presentation.h"

namespace outlook::local {

NoteWindow::NoteWindow(std::unique_ptr<NoteEditor> editor, WindowSizes& sizes,
                       platform::MessageBoxes* boxes, std::vector<std::string> categories,
                       QWidget* parent)
    : ItemWindow(std::move(editor), {"NoteForm", FolderKind::Notes, "NoteForm", QSize(520, 420)},
                 sizes, boxes, std::move(categories), parent) {
    build(nullptr);
    if (auto* body = findChild<QPlainTextEdit*>("memoBody")) body->setFocus();
}

QString NoteWindow::summary() const {
    return tr("Note  \u00B7  the first line is its subject");
}

JournalWindow::JournalWindow(std::unique_ptr<JournalEditor> editor, WindowSizes& sizes,
                             platform::MessageBoxes* boxes, std::vector<std::string> categories,
                             QWidget* parent)
    : ItemWindow(std::move(editor),
                 {"JournalForm", FolderKind::Journal, "JournalForm", QSize(600, 520)}, sizes, boxes,
                 std::move(categories), parent) {
    build(makeFields());
    subject_->setFocus();
}

JournalEditor& JournalWindow::fields() {
    return static_cast<JournalEditor&>(editor());
}

QWidget* JournalWindow::makeFields() {
    auto* box = new QWidget(this);
    subject_ = new QLineEdit(box);
    subject_->setObjectName("edSubject");
    type_ = new QComboBox(box);
    type_->setObjectName("cbType");
    type_->setEditable(true);
    type_->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view type : kJournalTypes)
        type_->addItem(QString::fromUtf8(type.data(), int(type.size())));
    startDay_ = makeDateEdit(box, "dtStart");
    startTime_ = makeTimeBox(box, "cbStartTime");
    duration_ = new QSpinBox(box);
    duration_->setObjectName("spinDuration");
    duration_->setRange(0, 7 * 24 * 60);
    duration_->setSuffix(tr(" min"));
    contacts_ = new QLabel(box);
    contacts_->setObjectName("lblContacts");
    contacts_->setWordWrap(true);
    contacts_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto right = [box](const QString& text, QWidget* field) {
        return fieldLabel(text, field, box, Qt::AlignRight | Qt::AlignVCenter);
    };
    grid->addWidget(right(tr("S&ubject:"), subject_), 0, 0);
    grid->addWidget(subject_, 0, 1, 1, 3);
    grid->addWidget(right(tr("Entry t&ype:"), type_), 1, 0);
    grid->addWidget(type_, 1, 1, Qt::AlignLeft);
    grid->addWidget(right(tr("&Duration:"), duration_), 1, 2);
    grid->addWidget(duration_, 1, 3, Qt::AlignLeft);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(startDay_);
    startRow->addWidget(startTime_);
    startRow->addStretch(1);
    grid->addWidget(right(tr("S&tart:"), startDay_), 2, 0);
    grid->addLayout(startRow, 2, 1, 1, 3);
    grid->addWidget(right(tr("Contacts:"), contacts_), 3, 0);
    grid->addWidget(contacts_, 3, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) {
        fields().subject = text.toStdString();
        showHeader();
    });
    connect(type_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { fields().type = text.toStdString(); });
    connect(startDay_, &QDateEdit::dateChanged, this,
            [this](QDate date) { fields().start.day = fromQDate(date); });
    connect(startTime_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { fields().start.time = text.toStdString(); });
    connect(duration_, &QSpinBox::valueChanged, this,
            [this](int minutes) { fields().durationMinutes = minutes; });
    return box;
}

void JournalWindow::showFields() {
    // Copies: filling one field reports back through its signal before the next is filled.
    const std::string subject = fields().subject, type = fields().type;
    const DayAndTime start = fields().start;
    const std::int32_t minutes = fields().durationMinutes;
    if (subject_->text() != qt(subject)) subject_->setText(qt(subject));
    type_->setCurrentText(qt(type));
    startDay_->setDate(toQDate(start.day));
    startTime_->setCurrentText(localeTime(start.time));
    duration_->setValue(minutes);
    const std::string& names = fields().contactNames();
    contacts_->setText(names.empty() ? tr("None") : qt(names));
    contacts_->setEnabled(!names.empty());
}

}  // namespace outlook::local
