#include "outlook/local/ui/contact_form.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <span>

#include "outlook/local/item_editors.h"
#include "outlook/local/ui/form_fields.h"
#include "outlook/local/ui/item_window.h"
#include "outlook/local/ui/store_presentation.h"
#include "outlook/object_model.h"
#include "platform/ui/qt_message_boxes.h"

namespace outlook::local {

namespace {

using F = ContactField;

constexpr const char* kContactFormSize = "ContactForm";
constexpr const char* kItemViewSize = "ItemView";

// A group box whose fields line up as a form.
QGroupBox* formBox(const QString& title, QFormLayout*& form, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

QLabel* buddyLabel(const ContactFieldInfo& info, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(info.label.data(), int(info.label.size())), parent);
    label->setBuddy(field);
    return label;
}

}  // namespace

ContactWindow::ContactWindow(DispatchPtr contact, WindowSizes& sizes, platform::MessageBoxes* boxes,
                             QWidget* parent)
    : QDialog(parent),
      editor_(std::move(contact)),
      sizes_(sizes),
      ownBoxes_(boxes ? nullptr : std::make_unique<platform::QtMessageBoxes>(this)),
      boxes_(boxes ? *boxes : *ownBoxes_) {
    setObjectName("ContactForm");
    setSizeGripEnabled(true);

    // The fields in the order the eye reads them, which is also the order Tab goes.
    constexpr F kName[] = {F::FirstName, F::LastName, F::FullName, F::FileAs};
    constexpr F kReach[] = {F::Email, F::BusinessPhone};
    constexpr F kWork[] = {F::Company, F::JobTitle};
    constexpr F kAddress[] = {F::Street, F::City, F::State, F::PostalCode, F::Country};
    std::vector<F> readingOrder;
    for (std::span<const F> group : {std::span<const F>(kName), std::span<const F>(kReach),
                                     std::span<const F>(kWork), std::span<const F>(kAddress)})
        readingOrder.insert(readingOrder.end(), group.begin(), group.end());
    readingOrder.push_back(F::Notes);
    for (F field : readingOrder)
        editors_[field] = makeEditor(field);
    const auto label = [this](F field) {
        return buddyLabel(contactFieldInfo(field), editors_[field], this);
    };
    const auto groupBox = [&](const QString& title, std::span<const F> fields) {
        QFormLayout* form = nullptr;
        auto* box = formBox(title, form, this);
        for (F field : fields)
            form->addRow(label(field), editors_[field]);
        return box;
    };
    auto* nameBox = groupBox(tr("Name"), kName);
    auto* reachBox = groupBox(tr("E-mail and phone"), kReach);
    auto* workBox = groupBox(tr("Work"), kWork);

    auto* addressBox = new QGroupBox(tr("Business address"), this);
    auto* address = new QGridLayout(addressBox);
    const auto addressRow = [&](int row, F field, int column, int span) {
        auto* fieldLabel = label(field);
        fieldLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        address->addWidget(fieldLabel, row, column);
        address->addWidget(editors_[field], row, column + 1, 1, span);
    };
    addressRow(0, F::Street, 0, 5);
    addressRow(1, F::City, 0, 1);
    addressRow(1, F::State, 2, 1);
    addressRow(1, F::PostalCode, 4, 1);
    addressRow(2, F::Country, 0, 1);
    address->setColumnStretch(1, 3);
    address->setColumnStretch(3, 1);
    address->setColumnStretch(5, 2);

    auto* notesLabel = label(F::Notes);

    problem_ = new QLabel(this);
    problem_->setObjectName("lblProblem");
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setVisible(false);
    // A warning that reads as one on light and dark themes alike.
    problem_->setStyleSheet(
        "QLabel { background: #fdecea; color: #8a1c1c; border: 1px solid #e7a6a0;"
        " border-radius: 3px; padding: 6px 8px; }");

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(tr("&Save && Close"), QDialogButtonBox::AcceptRole);
    save->setObjectName("btnSave");
    save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    save->setDefault(true);
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName("btnCancel");
    connect(save, &QPushButton::clicked, this, &ContactWindow::save);
    // Ctrl+S saves, as it does in a note.
    auto* saveKey = new QAction(this);
    saveKey->setShortcut(QKeySequence::Save);
    connect(saveKey, &QAction::triggered, this, &ContactWindow::save);
    addAction(saveKey);
    connect(cancel, &QPushButton::clicked, this, &ContactWindow::reject);

    // The name down the left; how to reach the contact and where they work beside it.
    auto* groups = new QGridLayout;
    groups->addWidget(nameBox, 0, 0, 2, 1);
    groups->addWidget(reachBox, 0, 1);
    groups->addWidget(workBox, 1, 1);
    groups->addWidget(addressBox, 2, 0, 1, 2);
    groups->setColumnStretch(0, 1);
    groups->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeHeader());
    layout->addLayout(groups);
    layout->addWidget(notesLabel);
    layout->addWidget(editors_[F::Notes], 1);
    layout->addWidget(problem_);
    layout->addWidget(buttons);

    for (std::size_t i = 1; i < readingOrder.size(); ++i)
        setTabOrder(editors_[readingOrder[i - 1]], editors_[readingOrder[i]]);

    for (const auto& info : contactFields())
        showValue(info.field);
    showHeader();
    restoreSize(*this, sizes_, kContactFormSize, QSize(660, 560));
    editors_[F::FirstName]->setFocus();
}

QWidget* ContactWindow::makeEditor(ContactField field) {
    const ContactFieldInfo& info = contactFieldInfo(field);
    QWidget* widget = nullptr;
    if (field == F::Notes) {
        auto* memo = new QPlainTextEdit(this);
        memo->setTabChangesFocus(true);
        connect(memo, &QPlainTextEdit::textChanged, this,
                [this, memo] { fieldEdited(F::Notes, memo->toPlainText()); });
        widget = memo;
    } else {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { fieldEdited(field, text); });
        widget = edit;
    }
    widget->setObjectName(QString::fromUtf8(info.objectName.data(), int(info.objectName.size())));
    return widget;
}

// The contact as a card: an icon, the name and what the contact does where.
QLayout* ContactWindow::makeHeader() {
    const CardHeader card = makeCardHeader(this, FolderKind::Contacts);
    heading_ = card.heading;
    subheading_ = card.subheading;
    return card.layout;
}

void ContactWindow::showHeader() {
    setWindowTitle(qt(editor_.caption()));
    const std::string name = editor_.name();
    heading_->setText(name.empty() ? tr("Untitled") : qt(name));
    subheading_->setText(qt(editor_.summary()));
}

void ContactWindow::fieldEdited(ContactField field, const QString& text) {
    for (ContactField changed : editor_.setValue(field, text.toStdString()))
        showValue(changed);
    showHeader();
}

// Programmatic updates never come back as edits: line edits report only typing, and the
// memo's signal is blocked while it is filled.
void ContactWindow::showValue(ContactField field) {
    const QString text = qt(editor_.value(field));
    QWidget* widget = editors_[field];
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        const QSignalBlocker quiet(memo);
        if (memo->toPlainText() != text) memo->setPlainText(text);
    }
}

void ContactWindow::showProblem(const ContactEditor::Problem& problem) {
    problem_->setText(qt(problem.message));
    problem_->setVisible(true);
    if (!problem.field) return;
    QWidget* widget = editors_[*problem.field];
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void ContactWindow::save() {
    if (closing_) return;
    if (const auto problem = editor_.save()) return showProblem(*problem);
    problem_->setVisible(false);
    closing_ = true;
    QDialog::accept();
}

void ContactWindow::reject() {
    if (closing_) return;
    // The question runs an event loop, in which the item may be closed elsewhere and this
    // window go with it.
    const QPointer<ContactWindow> self(this);
    const ContactEditor::Closing closing = editor_.askBeforeClosing(boxes_);
    if (!self || closing_) return;
    switch (closing) {
        case ContactEditor::Closing::Save:
            return save();
        case ContactEditor::Closing::KeepOpen:
            return;
        case ContactEditor::Closing::Discard:
            return discardAndClose();
    }
}

void ContactWindow::discardAndClose() {
    closing_ = true;
    try {
        editor_.discard();
    } catch (const AutomationError&) {
        // The item is gone from the store; there is nothing left to discard.
    }
    QDialog::reject();
}

void ContactWindow::closeForItem() {
    if (closing_) return;
    closing_ = true;
    QDialog::reject();
}

void ContactWindow::done(int result) {
    keepSize(*this, sizes_, kContactFormSize);
    QDialog::done(result);
}

ItemViewWindow::ItemViewWindow(DispatchPtr item, WindowSizes& sizes, QWidget* parent)
    : QDialog(parent), item_(std::move(item)), sizes_(sizes) {
    setObjectName("ItemView");
    setSizeGripEnabled(true);
    const ItemDetails details = describeItem(*item_);
    const QString title = details.title.empty() ? tr("Untitled") : qt(details.title);
    setWindowTitle(title + " - " + qt(details.kind));

    auto* heading = new QLabel(title, this);
    heading->setObjectName("lblTitle");
    QFont bigger = heading->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.25);
    bigger.setBold(true);
    heading->setFont(bigger);
    heading->setWordWrap(true);
    auto* kind = new QLabel(qt(details.kind), this);
    kind->setObjectName("lblKind");
    kind->setEnabled(false);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (const auto& line : details.properties) {
        auto* value = new QLabel(displayText(line.value), this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        form->addRow(qt(line.label) + ":", value);
    }
    auto* body = new QPlainTextEdit(qt(details.body), this);
    body->setObjectName("memoBody");
    body->setReadOnly(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName("btnClose");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(kind);
    layout->addLayout(form);
    layout->addWidget(body, 1);
    layout->addWidget(buttons);
    restoreSize(*this, sizes_, kItemViewSize, QSize(460, 420));
}

void ItemViewWindow::done(int result) {
    keepSize(*this, sizes_, kItemViewSize);
    QDialog::done(result);
}

ContactForm::ContactForm(WindowSizes& sizes, QWidget* parent, platform::MessageBoxes* boxes)
    : sizes_(sizes), boxes_(boxes), parent_(parent) {}

ContactForm::~ContactForm() {
    // The windows hold their items, and the items the store: let go of both now, also of
    // windows closed but not yet deleted.
    for (auto& shown : shown_)
        delete shown.window.data();
    shown_.clear();
    for (auto& window : closed_)
        delete window.data();
}

ContactForm::Shown* ContactForm::find(const DispatchPtr& item) {
    const auto entryId = [](const DispatchPtr& i) {
        try {
            return i->get("EntryID").asString();
        } catch (const AutomationError&) {
            return std::string();
        }
    };
    const std::string id = entryId(item);
    for (auto& shown : shown_) {
        if (!shown.window) continue;
        if (shown.item == item || (!id.empty() && entryId(shown.item) == id)) return &shown;
    }
    return nullptr;
}

void ContactForm::forget(QDialog* window) {
    std::erase_if(shown_, [window](const Shown& s) { return !s.window || s.window == window; });
    std::erase_if(closed_, [](const QPointer<QDialog>& w) { return w.isNull(); });
    // Not now: the window is still inside its own done().
    closed_.emplace_back(window);
    window->deleteLater();
}

void ContactForm::showItem(const DispatchPtr& item, bool modal) {
    if (Shown* shown = find(item)) {
        shown->window->raise();
        shown->window->activateWindow();
        return;
    }
    QDialog* window = nullptr;
    if (item->get("Class").asInt() == olContact) {
        window = new ContactWindow(item, sizes_, boxes_, parent_);
    } else if (auto editor = makeItemEditor(item, nameSpace_ ? nameSpace_() : nullptr)) {
        window = makeItemWindow(std::move(editor), sizes_, boxes_,
                                categories_ ? categories_() : std::vector<std::string>{}, parent_);
    }
    if (!window) window = new ItemViewWindow(item, sizes_, parent_);
    // A window of its own on the desktop, not a sheet over the program's window.
    window->setWindowFlag(Qt::Window);
    shown_.push_back({item, window});
    QObject::connect(window, &QDialog::finished, window, [this, window] { forget(window); });
    if (modal) {
        window->setWindowModality(Qt::ApplicationModal);
        window->exec();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ContactForm::closeItem(const DispatchPtr& item) {
    Shown* shown = find(item);
    if (!shown) return;
    if (auto* contact = dynamic_cast<ContactWindow*>(shown->window.data()))
        contact->closeForItem();
    else if (auto* form = dynamic_cast<ItemWindow*>(shown->window.data()))
        form->closeForItem();
    else
        shown->window->reject();
}

void ContactForm::setEditingSupport(std::function<DispatchPtr()> nameSpace,
                                    std::function<std::vector<std::string>()> categories) {
    nameSpace_ = std::move(nameSpace);
    categories_ = std::move(categories);
}

std::vector<QDialog*> ContactForm::openWindows() const {
    std::vector<QDialog*> windows;
    for (const auto& shown : shown_)
        if (shown.window && shown.window->isVisible()) windows.push_back(shown.window);
    return windows;
}

}  // namespace outlook::local
