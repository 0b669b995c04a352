#pragma once

#include <QDialog>
#include <vector>

#include "outlook/local/address_dialog.h"
#include "outlook/local/address_picker.h"

class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace outlook::local {

// The address book window: a search box, the entries, and a button and list per well (or,
// in single-selection mode, just the entries). Every choice goes through the picker; the
// window only shows its state and passes on what the user does.
class AddressBookDialog : public QDialog {
public:
    explicit AddressBookDialog(AddressPicker& picker, QWidget* parent = nullptr);

private:
    // A button and a list per well, and the Remove button under them.
    QLayout* makeWells();
    void showEntries();
    void showWell(std::size_t well);
    void entrySelectionChanged();
    void addSelectedTo(std::size_t well);
    void entryDoubleClicked(int row);
    void wellSelectionChanged(std::size_t well);
    void removeSelected();
    void updateButtons();

    AddressPicker& picker_;
    QLineEdit* search_ = nullptr;
    QListWidget* entries_ = nullptr;
    std::vector<QListWidget*> wells_;
    QPushButton* remove_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// The address dialog the store shows through IAddrBook::Address, as a modal Qt window.
// address() must run on the thread that owns the QApplication.
class QtAddressDialog : public AddressDialog {
public:
    explicit QtAddressDialog(QWidget* parent = nullptr) : parent_(parent) {}
    mapi::HRESULT address(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                          mapi::ADRLIST& list) override;

private:
    QWidget* parent_;
};

}  // namespace outlook::local
