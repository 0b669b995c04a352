#include "outlook/local/ui/address_book_dialog.h"
#include "platform/ui/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QString>
#include <QVBoxLayout>
#include <algorithm>

namespace outlook::local {

namespace {

using platform::qt;

void fill(QListWidget* list, const std::vector<std::string>& names) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const auto& name : names)
        list->addItem(qt(name));
}

// The selected rows, highest first when `descending`.
std::vector<int> selectedRows(const QListWidget* list, bool descending) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows.push_back(list->row(item));
    std::sort(rows.begin(), rows.end());
    if (descending) std::reverse(rows.begin(), rows.end());
    return rows;
}

}  // namespace

AddressBookDialog::AddressBookDialog(AddressPicker& picker, QWidget* parent)
    : QDialog(parent), picker_(picker) {
    setWindowTitle(qt(picker_.caption()));

    search_ = new QLineEdit(this);
    search_->setObjectName("edSearch");
    search_->setPlaceholderText(tr("Type a name or an address"));
    auto* searchLabel = new QLabel(tr("&Search:"), this);
    searchLabel->setBuddy(search_);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_);

    entries_ = new QListWidget(this);
    entries_->setObjectName("lstEntries");
    entries_->setSelectionMode(picker_.singleSelection() ? QAbstractItemView::SingleSelection
                                                         : QAbstractItemView::ExtendedSelection);

    auto* body = new QHBoxLayout;
    body->addWidget(entries_, 1);
    if (!picker_.singleSelection()) body->addLayout(makeWells(), 1);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName("btnOK");
    ok_->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        picker_.setSearch(text.toStdString());
        showEntries();
    });
    connect(entries_, &QListWidget::itemSelectionChanged, this,
            &AddressBookDialog::entrySelectionChanged);
    connect(entries_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { entryDoubleClicked(entries_->row(item)); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (picker_.canConfirm()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (std::size_t i = 0; i < wells_.size(); ++i)
        showWell(i);
    showEntries();
    search_->setFocus();
}

QLayout* AddressBookDialog::makeWells() {
    auto* wellsColumn = new QVBoxLayout;
    if (!picker_.wellsTitle().empty())
        wellsColumn->addWidget(new QLabel(qt(picker_.wellsTitle()), this));
    for (std::size_t i = 0; i < picker_.wellCount(); ++i) {
        const QString number = QString::number(i);
        // Alt and the title's first letter press the button, so the keyboard alone can
        // fill the wells.
        auto* button = new QPushButton("&" + qt(picker_.wellTitle(i)) + " ->", this);
        button->setObjectName("btnWell" + number);
        auto* well = new QListWidget(this);
        well->setObjectName("lstWell" + number);
        well->setSelectionMode(QAbstractItemView::ExtendedSelection);
        wells_.push_back(well);
        auto* row = new QHBoxLayout;
        row->addWidget(button, 0, Qt::AlignTop);
        row->addWidget(well, 1);
        wellsColumn->addLayout(row);
        connect(button, &QPushButton::clicked, this, [this, i] { addSelectedTo(i); });
        connect(well, &QListWidget::itemSelectionChanged, this,
                [this, i] { wellSelectionChanged(i); });
    }
    remove_ = new QPushButton(tr("&Remove"), this);
    remove_->setObjectName("btnRemove");
    wellsColumn->addWidget(remove_, 0, Qt::AlignRight);
    connect(remove_, &QPushButton::clicked, this, &AddressBookDialog::removeSelected);
    return wellsColumn;
}

void AddressBookDialog::showEntries() {
    fill(entries_, picker_.visibleNames());
    if (const auto selected = picker_.selectedIndex()) {
        const QSignalBlocker quiet(entries_);
        entries_->setCurrentRow(static_cast<int>(*selected));
    }
    updateButtons();
}

void AddressBookDialog::showWell(std::size_t well) {
    fill(wells_[well], picker_.wellNames(well));
    updateButtons();
}

void AddressBookDialog::entrySelectionChanged() {
    if (!picker_.singleSelection()) return;
    const auto rows = selectedRows(entries_, false);
    if (rows.empty())
        picker_.clearSelection();
    else
        picker_.select(static_cast<std::size_t>(rows.front()));
    updateButtons();
}

void AddressBookDialog::addSelectedTo(std::size_t well) {
    for (int row : selectedRows(entries_, false))
        picker_.addToWell(well, static_cast<std::size_t>(row));
    showWell(well);
}

void AddressBookDialog::entryDoubleClicked(int row) {
    if (row < 0) return;
    if (picker_.singleSelection()) {
        picker_.select(static_cast<std::size_t>(row));
        if (picker_.canConfirm()) accept();
        return;
    }
    picker_.addToWell(picker_.focusWell(), static_cast<std::size_t>(row));
    showWell(picker_.focusWell());
}

// One well's selection at a time, so that Remove acts on the well the user last chose in.
void AddressBookDialog::wellSelectionChanged(std::size_t well) {
    if (!wells_[well]->selectedItems().isEmpty()) {
        for (std::size_t i = 0; i < wells_.size(); ++i) {
            if (i == well) continue;
            const QSignalBlocker quiet(wells_[i]);
            wells_[i]->clearSelection();
        }
    }
    updateButtons();
}

void AddressBookDialog::removeSelected() {
    for (std::size_t well = 0; well < wells_.size(); ++well) {
        const auto rows = selectedRows(wells_[well], true);
        if (rows.empty()) continue;
        for (int row : rows)
            picker_.removeFromWell(well, static_cast<std::size_t>(row));
        showWell(well);
    }
}

void AddressBookDialog::updateButtons() {
    ok_->setEnabled(picker_.canConfirm());
    if (!remove_) return;
    const bool anySelected = std::any_of(wells_.begin(), wells_.end(), [](const QListWidget* well) {
        return !well->selectedItems().isEmpty();
    });
    remove_->setEnabled(anySelected);
}

mapi::HRESULT QtAddressDialog::address(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                                       mapi::ADRLIST& list) {
    AddressPicker picker(parameters, entries, list);
    AddressBookDialog dialog(picker, parent_);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return mapi::MAPI_E_USER_CANCEL;
    list = picker.confirm();
    return mapi::S_OK;
}

}  // namespace outlook::local
