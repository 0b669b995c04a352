#include "notes/ui/contact_list_model.h"

namespace notes::ui {

void ContactListModel::setContacts(const std::vector<ContactChoice>& contacts) {
    beginResetModel();
    contacts_ = contacts;
    rows_.clear();
    rows_.reserve(contacts_.size());
    for (std::size_t i = 0; i < contacts_.size(); ++i)
        rows_.emplace(contacts_[i].key, static_cast<int>(i) + 1);
    endResetModel();
}

int ContactListModel::rowOf(const std::string& key) const {
    if (key.empty()) return 0;
    const auto found = rows_.find(key);
    return found == rows_.end() ? 0 : found->second;
}

std::string ContactListModel::keyAt(int row) const {
    if (row < 1 || row > static_cast<int>(contacts_.size())) return {};
    return contacts_[static_cast<std::size_t>(row) - 1].key;
}

int ContactListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(contacts_.size()) + 1;
}

QVariant ContactListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() == 0) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return QString::fromStdString(contacts_[static_cast<std::size_t>(index.row()) - 1].fileAs);
}

}  // namespace notes::ui
