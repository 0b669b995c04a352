#include "outlook/local/ui/item_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "outlook/local/ui/category_picker.h"
#include "outlook/local/ui/form_fields.h"
#include "outlook/local/ui/store_presentation.h"
#include "platform/ui/qt_message_boxes.h"

namespace outlook::local {

namespace {

// A problem that reads as one on light and dark themes alike; a notice in quieter colours.
constexpr const char* kProblemStyle =
    "QLabel { background: #fdecea; color: #8a1c1c; border: 1px solid #e7a6a0;"
    " border-radius: 3px; padding: 6px 8px; }";
constexpr const char* kNoticeStyle =
    "QLabel { background: #e8f0fb; color: #1d3f6e; border: 1px solid #a9c1e4;"
    " border-radius: 3px; padding: 6px 8px; }";

QLabel* sectionTitle(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

ItemWindow::ItemWindow(std::unique_ptr<ItemEditor> editor, Look look, WindowSizes& sizes,
                       platform::MessageBoxes* boxes, std::vector<std::string> categories,
                       QWidget* parent)
    : QDialog(parent),
      editor_(std::move(editor)),
      look_(look),
      sizes_(sizes),
      ownBoxes_(boxes ? nullptr : std::make_unique<platform::QtMessageBoxes>(this)),
      boxes_(boxes ? *boxes : *ownBoxes_),
      categories_(std::move(categories)) {
    setObjectName(look.objectName);
    setSizeGripEnabled(true);
}

void ItemWindow::build(QWidget* fields) {
    body_ = new QPlainTextEdit(this);
    body_->setObjectName("memoBody");
    body_->setTabChangesFocus(true);
    connect(body_, &QPlainTextEdit::textChanged, this, [this] {
        editor_->setBody(body_->toPlainText().toStdString());
        showHeader();
    });
    picker_ = new CategoryPicker(categories_, this);
    picker_->onChanged([this](const std::string& text) { editor_->setCategories(text); });

    auto* text = new QVBoxLayout;
    text->addWidget(sectionTitle(tr("&Text"), body_, this));
    text->addWidget(body_, 1);
    auto* chosen = new QVBoxLayout;
    chosen->addWidget(sectionTitle(tr("Cate&gories"), picker_, this));
    chosen->addWidget(picker_, 1);
    auto* lower = new QHBoxLayout;
    lower->addLayout(text, 3);
    lower->addSpacing(6);
    lower->addLayout(chosen, 2);

    problem_ = new QLabel(this);
    problem_->setObjectName("lblProblem");
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setVisible(false);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(tr("&Save && Close"), QDialogButtonBox::AcceptRole);
    save->setObjectName("btnSave");
    save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    save->setDefault(true);
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName("btnCancel");
    connect(save, &QPushButton::clicked, this, &ItemWindow::save);
    connect(cancel, &QPushButton::clicked, this, &ItemWindow::reject);
    auto* saveKey = new QAction(this);
    saveKey->setShortcut(QKeySequence::Save);
    connect(saveKey, &QAction::triggered, this, &ItemWindow::save);
    addAction(saveKey);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeader());
    if (fields) layout->addWidget(fields);
    layout->addLayout(lower, 1);
    layout->addWidget(makeAttachments());
    layout->addWidget(problem_);
    layout->addWidget(buttons);

    showAll();
    restoreSize(*this, sizes_, look_.sizeName, look_.size);
}

QWidget* ItemWindow::makeHeader() {
    auto* header = new QWidget(this);
    const CardHeader card = makeCardHeader(header, look_.icon);
    heading_ = card.heading;
    subheading_ = card.subheading;
    header->setLayout(card.layout);
    card.layout->setContentsMargins(0, 0, 0, 4);
    return header;
}

QWidget* ItemWindow::makeAttachments() {
    attachmentsBox_ = new QWidget(this);
    attachments_ = new QTreeWidget(attachmentsBox_);
    attachments_->setObjectName("listAttachments");
    attachments_->setHeaderLabels({tr("Name"), tr("Kind")});
    attachments_->setRootIsDecorated(false);
    attachments_->header()->setStretchLastSection(true);
    attachments_->setColumnWidth(0, fontMetrics().averageCharWidth() * 40);
    attachments_->setMaximumHeight(fontMetrics().height() * 6);
    openAttachment_ = new QPushButton(tr("&Open"), attachmentsBox_);
    openAttachment_->setObjectName("btnOpenAttachment");
    removeAttachment_ = new QPushButton(tr("&Remove"), attachmentsBox_);
    removeAttachment_->setObjectName("btnRemoveAttachment");
    for (auto* button : {openAttachment_, removeAttachment_})
        button->setAutoDefault(false);

    const auto selected = [this] {
        return attachments_->indexOfTopLevelItem(attachments_->currentItem());
    };
    const auto open = [this, selected] {
        const int index = selected();
        if (index < 0) return;
        const AttachmentOpening opening = editor_->openAttachment(static_cast<std::size_t>(index));
        if (opening.action == AttachmentOpening::Action::OpenFile &&
            !QDesktopServices::openUrl(
                QUrl::fromLocalFile(QString::fromStdString(opening.file.string()))))
            return showNote(tr("No program is set up to open %1.")
                                .arg(QString::fromStdString(opening.file.filename().string())));
        if (!opening.message.empty()) showNote(qt(opening.message));
    };
    connect(openAttachment_, &QPushButton::clicked, this, open);
    connect(attachments_, &QTreeWidget::itemActivated, this, open);
    connect(removeAttachment_, &QPushButton::clicked, this, [this, selected] {
        const int index = selected();
        if (index < 0) return;
        try {
            editor_->removeAttachment(static_cast<std::size_t>(index));
        } catch (const AutomationError& e) {
            return showProblem({e.what(), ""});
        }
        showAttachments();
    });
    connect(attachments_, &QTreeWidget::currentItemChanged, this, [this] {
        const bool chosen = attachments_->currentItem() != nullptr;
        openAttachment_->setEnabled(chosen);
        removeAttachment_->setEnabled(chosen);
    });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(openAttachment_);
    buttons->addWidget(removeAttachment_);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(attachments_, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(attachmentsBox_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sectionTitle(tr("&Links and attachments"), attachments_, attachmentsBox_));
    layout->addLayout(row);
    return attachmentsBox_;
}

void ItemWindow::showAttachments() {
    attachments_->clear();
    for (const auto& line : editor_->attachments()) {
        auto* row = new QTreeWidgetItem(attachments_);
        row->setText(0, qt(line.name));
        row->setText(1, qt(line.kind));
        if (!line.source.empty()) row->setToolTip(0, qt(line.source));
    }
    attachmentsBox_->setVisible(!editor_->attachments().empty());
    openAttachment_->setEnabled(false);
    removeAttachment_->setEnabled(false);
}

QString ItemWindow::summary() const {
    return qt(editor_->kindName());
}

void ItemWindow::showHeader() {
    setWindowTitle(qt(editor_->caption()));
    const std::string title = editor_->title();
    heading_->setText(title.empty() ? tr("Untitled") : qt(title));
    subheading_->setText(summary());
}

void ItemWindow::showAll() {
    {
        const QSignalBlocker quiet(body_);
        if (body_->toPlainText() != qt(editor_->body())) body_->setPlainText(qt(editor_->body()));
    }
    picker_->showCategories(editor_->categories());
    showFields();
    showAttachments();
    showHeader();
}

void ItemWindow::showProblem(const ItemEditor::Problem& problem) {
    problem_->setStyleSheet(kProblemStyle);
    problem_->setText(qt(problem.message));
    problem_->setVisible(true);
    if (problem.field.empty()) return;
    if (auto* widget = findChild<QWidget*>(QString::fromStdString(problem.field)))
        widget->setFocus();
}

void ItemWindow::showNote(const QString& text) {
    problem_->setStyleSheet(kNoticeStyle);
    problem_->setText(text);
    problem_->setVisible(true);
}

void ItemWindow::save() {
    if (closing_) return;
    const ItemEditor::SaveResult result = editor_->save();
    switch (result.outcome) {
        case ItemEditor::Outcome::Saved:
            return closeSaved();
        case ItemEditor::Outcome::Refused:
            return showProblem(*result.problem);
        case ItemEditor::Outcome::Changed:
        case ItemEditor::Outcome::Deleted:
            return resolveConflict(result.outcome);
    }
}

void ItemWindow::resolveConflict(ItemEditor::Outcome outcome) {
    const QPointer<ItemWindow> self(this);
    const auto resolution = editor_->askAboutConflict(boxes_, outcome);
    if (!self || closing_) return;
    std::optional<ItemEditor::Problem> problem;
    switch (resolution) {
        case ItemEditor::Resolution::Overwrite:
            problem = editor_->overwrite();
            break;
        case ItemEditor::Resolution::SaveAsNew:
            problem = editor_->saveAsNew();
            break;
        case ItemEditor::Resolution::Reload:
            if (!editor_->reload()) return showProblem({"The item is no longer in the store.", ""});
            showAll();
            return showNote(tr("This is the item as the other program saved it."));
        case ItemEditor::Resolution::Discard:
            closing_ = true;
            return QDialog::reject();
        case ItemEditor::Resolution::KeepEditing:
            return;
    }
    if (problem) return showProblem(*problem);
    closeSaved();
}

void ItemWindow::closeSaved() {
    problem_->setVisible(false);
    closing_ = true;
    QDialog::accept();
}

void ItemWindow::reject() {
    if (closing_) return;
    // The question runs an event loop, in which the item may be closed elsewhere.
    const QPointer<ItemWindow> self(this);
    const ItemEditor::Closing closing = editor_->askBeforeClosing(boxes_);
    if (!self || closing_) return;
    switch (closing) {
        case ItemEditor::Closing::Save:
            return save();
        case ItemEditor::Closing::KeepOpen:
            return;
        case ItemEditor::Closing::Discard:
            return discardAndClose();
    }
}

void ItemWindow::discardAndClose() {
    closing_ = true;
    try {
        editor_->discard();
    } catch (const AutomationError&) {
        // The item is gone from the store; there is nothing left to discard.
    }
    QDialog::reject();
}

void ItemWindow::closeForItem() {
    if (closing_) return;
    closing_ = true;
    QDialog::reject();
}

void ItemWindow::done(int result) {
    keepSize(*this, sizes_, look_.sizeName);
    QDialog::done(result);
}

}  // namespace outlook::local
