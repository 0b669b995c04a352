#pragma once

#include <QAbstractListModel>
#include <string>
#include <unordered_map>
#include <vector>

#include "notes/shadow_view.h"

namespace notes::ui {

// The shadow's contact list: an empty first row (no contact), then the contacts by their
// file-as names. Finding a contact's row by its key takes constant time, so that selecting
// one in a list of thousands costs nothing per keystroke.
class ContactListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setContacts(const std::vector<ContactChoice>& contacts);
    // The row of the contact with this key; 0 (the empty row) for an empty or unknown key.
    int rowOf(const std::string& key) const;
    // The key of a row; empty for the empty row or a row out of range.
    std::string keyAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<ContactChoice> contacts_;
    std::unordered_map<std::string, int> rows_;
};

}  // namespace notes::ui
