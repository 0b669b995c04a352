#include "outlook/local/ui/category_picker.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "outlook/local/category_list.h"
#include "platform/ui/qt_text.h"

namespace outlook::local {

using platform::qt;

CategoryPicker::CategoryPicker(std::vector<std::string> master, QWidget* parent) : QWidget(parent) {
    list_ = new QListWidget(this);
    list_->setObjectName("listCategories");
    list_->setUniformItemSizes(true);
    for (const auto& name : master)
        addName(qt(name), false);
    connect(list_, &QListWidget::itemChanged, this, [this] {
        if (!filling_ && changed_) changed_(checkedText());
    });

    newName_ = new QLineEdit(this);
    newName_->setObjectName("edNewCategory");
    newName_->setPlaceholderText(tr("New category"));
    newName_->setClearButtonEnabled(true);
    auto* add = new QPushButton(tr("&Add"), this);
    add->setObjectName("btnAddCategory");
    add->setEnabled(false);
    add->setAutoDefault(false);
    connect(newName_, &QLineEdit::textChanged, add,
            [add](const QString& text) { add->setEnabled(!text.trimmed().isEmpty()); });
    connect(add, &QPushButton::clicked, this, &CategoryPicker::addTyped);
    connect(newName_, &QLineEdit::returnPressed, this, &CategoryPicker::addTyped);

    auto* typing = new QHBoxLayout;
    typing->addWidget(newName_, 1);
    typing->addWidget(add);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_, 1);
    layout->addLayout(typing);
}

void CategoryPicker::addName(const QString& name, bool checked) {
    auto* row = new QListWidgetItem(name, list_);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    row->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CategoryPicker::showCategories(const std::string& text) {
    filling_ = true;
    const auto names = splitCategories(text);
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Unchecked);
    for (const auto& name : names) {
        const auto found = list_->findItems(qt(name), Qt::MatchFixedString);
        if (found.isEmpty())
            addName(qt(name), true);
        else
            found.front()->setCheckState(Qt::Checked);
    }
    filling_ = false;
    // The item's own categories in sight, not the top of a long list.
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked)
            return list_->scrollToItem(list_->item(i), QAbstractItemView::PositionAtTop);
}

void CategoryPicker::addTyped() {
    // ";" and "," separate categories, so they cannot be part of one.
    QString name = newName_->text();
    name.replace(';', ' ').replace(',', ' ');
    name = name.simplified();
    if (name.isEmpty()) return;
    const auto found = list_->findItems(name, Qt::MatchFixedString);
    if (found.isEmpty())
        addName(name, true);
    else
        found.front()->setCheckState(Qt::Checked);
    newName_->clear();
    if (changed_) changed_(checkedText());
}

std::string CategoryPicker::checkedText() const {
    std::vector<std::string> names;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked)
            names.push_back(list_->item(i)->text().toStdString());
    return joinCategories(names);
}

}  // namespace outlook::local
