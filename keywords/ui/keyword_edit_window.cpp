#include "keywords/ui/keyword_edit_window.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "messages/ui/logic_guard.h"

#include "keywords/ui/utf8_length_validator.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/window_title.h"

namespace keywords::ui {
namespace {

constexpr int kMinimumWidth = 235;
constexpr int kMinimumHeight = 98;

using messages::ui::guarded;

using platform::qt;

}  // namespace

KeywordEditWindow::KeywordEditWindow(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* keywordLabel = new QLabel(tr("Keyword:"), this);
    keywordLabel->setObjectName("Label1");
    keyword_ = new QLineEdit(this);
    keyword_->setObjectName("KeywordText");
    // The keyword store keeps at most 127 bytes of UTF-8.
    keyword_->setValidator(new Utf8LengthValidator(127, keyword_));
    keywordLabel->setBuddy(keyword_);
    typeLabel_ = new QLabel(this);
    typeLabel_->setObjectName("TypeLabel");
    assign_ = new QComboBox(this);
    assign_->setObjectName("AssignCombo");
    typeLabel_->setBuddy(assign_);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName("OKButton");
    ok_->setDefault(true);
    ok_->setEnabled(false);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("CancelButton");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);

    auto* grid = new QGridLayout;
    grid->addWidget(keywordLabel, 0, 0);
    grid->addWidget(keyword_, 0, 1);
    grid->addWidget(typeLabel_, 1, 0);
    grid->addWidget(assign_, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setTabOrder(keyword_, assign_);
    setTabOrder(assign_, ok_);
    setTabOrder(ok_, cancel_);

    connect(keyword_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (logic_) guarded(this, [&] { logic_->KeywordTextChange(text.toStdString()); });
    });
    // A pick is known by its place in the list, never by its text: two contacts may be
    // filed under the same name.
    connect(assign_, &QComboBox::activated, this, [this](int index) { assignChanged(index); });
    connect(assign_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        // A typed text that is one of the entries counts as choosing it (category names
        // are unique).
        if (assign_->isEditable() && assign_->lineEdit()->isModified())
            assignChanged(assign_->findText(text, Qt::MatchExactly));
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (logic_) guarded(this, [&] { logic_->OKButtonClick(); });
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (logic_) guarded(this, [&] { logic_->CancelButtonClick(); });
    });
}

void KeywordEditWindow::assignChanged(int index) {
    if (!logic_) return;
    const QString text = assign_->currentText();
    guarded(this, [&] { logic_->AssignComboChange(text.toStdString(), index); });
}

// The window is made wide enough for the desktop to show its whole title ("Modify Category
// Keyword"), which is longer than anything the window holds.
void KeywordEditWindow::setCaption(const std::string& caption) {
    setWindowTitle(qt(caption));
    setMinimumWidth(std::max(kMinimumWidth, platform::widthForTitle(*this, windowTitle())));
}

void KeywordEditWindow::setTypeLabel(const std::string& text) {
    typeLabel_->setText(qt(text));
}

void KeywordEditWindow::setAssignEntries(const std::vector<ItemChoice>& entries, bool editable) {
    const QSignalBlocker quiet(assign_);
    assign_->clear();
    assign_->setEditable(editable);
    for (const ItemChoice& entry : entries)
        assign_->addItem(qt(entry.display));
    if (editable) assign_->setInsertPolicy(QComboBox::NoInsert);
}

void KeywordEditWindow::setKeywordText(const std::string& text) {
    keyword_->setText(qt(text));
}

void KeywordEditWindow::selectAssignEntry(int index) {
    const QSignalBlocker quiet(assign_);
    assign_->setCurrentIndex(index);
    if (index < 0 && assign_->isEditable()) assign_->setEditText(QString());
}

void KeywordEditWindow::setOkEnabled(bool enabled) {
    ok_->setEnabled(enabled);
}

void KeywordEditWindow::focusKeyword() {
    keyword_->setFocus();
    keyword_->selectAll();
}

int KeywordEditWindow::runModal() {
    return exec();
}

void KeywordEditWindow::closeWith(int result) {
    done(result);
}

void KeywordEditWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (logic_) guarded(this, [&] { logic_->FormShow(); });
}

// Esc presses Cancel.
void KeywordEditWindow::reject() {
    if (logic_)
        guarded(this, [&] { logic_->CancelButtonClick(); });
    else
        QDialog::reject();
}

}  // namespace keywords::ui
