#include "outlook/local/ui/address_book_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/store.h"
#include "tests/support/address_entries.h"
#include "tests/support/mapi_fixture.h"
#include "tests/support/mnemonics.h"

namespace outlook::local {
namespace {

using namespace mapi;
using namespace jotwise::testing;

RowSet book() {
    return {bookEntry(1, "Ann Lee", "ann@example.com"),
            bookEntry(2, "Bob Stone", "bob@example.com"),
            bookEntry(3, "Carl Moss", "carl@example.com")};
}

// Runs `steps` on the address book window once it runs modally, then cancels it if the
// steps left it open, so that a failing test cannot leave exec() waiting.
void onNextDialog(bool& seen, std::function<void(QDialog&)> steps) {
    QTimer::singleShot(0, [&seen, steps = std::move(steps)] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = dynamic_cast<AddressBookDialog*>(widget);
            if (!dialog || !dialog->isVisible()) continue;
            seen = true;
            try {
                steps(*dialog);
            } catch (const std::exception& error) {
                ADD_FAILURE() << error.what();
            }
            if (dialog->isVisible()) dialog->reject();
        }
    });
}

template <class T>
T& child(QDialog& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return *widget;
}

QStringList itemsOf(QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

TEST(AddressBookDialogWells, SearchSelectAndSecondWellGiveACcRecipient) {
    QtAddressDialog addressDialog;
    ADRLIST list;
    bool seen = false;
    onNextDialog(seen, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Pick");
        EXPECT_EQ(child<QPushButton>(dialog, "btnWell0").text(), "&To ->");
        EXPECT_EQ(child<QPushButton>(dialog, "btnWell1").text(), "&Cc ->");
        EXPECT_EQ(dialog.findChild<QPushButton*>("btnWell2"), nullptr);
        EXPECT_EQ(jotwise::testing::clashingMnemonics(dialog), "");

        QTest::keyClicks(&child<QLineEdit>(dialog, "edSearch"), "STO");
        auto& entries = child<QListWidget>(dialog, "lstEntries");
        ASSERT_EQ(itemsOf(entries), QStringList{"Bob Stone"});
        entries.setCurrentRow(0);
        child<QPushButton>(dialog, "btnWell1").click();
        EXPECT_EQ(itemsOf(child<QListWidget>(dialog, "lstWell1")), QStringList{"Bob Stone"});
        EXPECT_EQ(child<QListWidget>(dialog, "lstWell0").count(), 0);
        child<QPushButton>(dialog, "btnOK").click();
    });
    ASSERT_EQ(addressDialog.address(withWells(2, "Pick"), book(), list), S_OK);
    ASSERT_TRUE(seen);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(textOf(list[0].rgPropVals, PR_DISPLAY_NAME), "Bob Stone");
    EXPECT_EQ(textOf(list[0].rgPropVals, PR_EMAIL_ADDRESS), "bob@example.com");
    EXPECT_EQ(recipientTypeOf(list[0]), static_cast<std::int32_t>(MAPI_CC));
}

TEST(AddressBookDialogWells, CancelLeavesTheListAlone) {
    QtAddressDialog addressDialog;
    const ADRLIST before = {{{SPropValue::string(PR_DISPLAY_NAME, "Tom"),
                              SPropValue::integer(PR_RECIPIENT_TYPE, MAPI_TO)}}};
    ADRLIST list = before;
    bool seen = false;
    onNextDialog(seen, [](QDialog& dialog) {
        child<QListWidget>(dialog, "lstEntries").setCurrentRow(0);
        child<QPushButton>(dialog, "btnWell0").click();
        EXPECT_EQ(child<QListWidget>(dialog, "lstWell0").count(), 2);
        child<QPushButton>(dialog, "btnCancel").click();
    });
    EXPECT_EQ(addressDialog.address(withWells(2), book(), list), MAPI_E_USER_CANCEL);
    EXPECT_TRUE(seen);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].rgPropVals, before[0].rgPropVals);
}

TEST(AddressBookDialogSingle, ShowsNoWellsAndEnablesOkOnlyWithASelection) {
    QtAddressDialog addressDialog;
    ADRLIST list;
    bool seen = false;
    onNextDialog(seen, [](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QPushButton*>("btnWell0"), nullptr);
        EXPECT_EQ(dialog.findChild<QListWidget*>("lstWell0"), nullptr);
        EXPECT_EQ(dialog.findChild<QPushButton*>("btnRemove"), nullptr);
        auto& ok = child<QPushButton>(dialog, "btnOK");
        auto& entries = child<QListWidget>(dialog, "lstEntries");
        auto& search = child<QLineEdit>(dialog, "edSearch");
        EXPECT_FALSE(ok.isEnabled());
        entries.setCurrentRow(2);
        EXPECT_TRUE(ok.isEnabled());
        QTest::keyClicks(&search, "ann");  // hides Carl: nothing left selected
        EXPECT_FALSE(ok.isEnabled());
        search.clear();
        EXPECT_FALSE(ok.isEnabled());
        entries.setCurrentRow(2);
        ASSERT_TRUE(ok.isEnabled());
        ok.click();
    });
    ASSERT_EQ(addressDialog.address(withWells(0), book(), list), S_OK);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(textOf(list[0].rgPropVals, PR_DISPLAY_NAME), "Carl Moss");
}

class AddressBookDialogStore : public testing::MapiFixture {};

TEST_F(AddressBookDialogStore, AddressOnTheStoreRunsTheWindow) {
    PropertyBag props;
    props.setString(PR_DISPLAY_NAME, "Bob Stone");
    props.setString(PR_EMAIL_ADDRESS, "bob@example.com");
    store().addressBook().addMailUser(props);
    QtAddressDialog addressDialog;
    outlook().setAddressDialog(&addressDialog);

    ADRLIST list;
    bool seen = false;
    onNextDialog(seen, [](QDialog& dialog) {
        auto& entries = child<QListWidget>(dialog, "lstEntries");
        ASSERT_EQ(itemsOf(entries), QStringList{"Bob Stone"});
        entries.setCurrentRow(0);
        child<QPushButton>(dialog, "btnWell0").click();
        child<QPushButton>(dialog, "btnOK").click();
    });
    const HRESULT result = addressBook->Address(nullptr, withWells(2), list);
    outlook().setAddressDialog(nullptr);
    ASSERT_EQ(result, S_OK);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(textOf(list[0].rgPropVals, PR_EMAIL_ADDRESS), "bob@example.com");
    EXPECT_EQ(recipientTypeOf(list[0]), static_cast<std::int32_t>(MAPI_TO));
    const SPropValue* id = FindProp(list[0].rgPropVals, PR_ENTRYID);
    ASSERT_NE(id, nullptr);
    ULONG objectType = 0;
    ComPtr<IUnknown> object;
    EXPECT_EQ(addressBook->OpenEntry(*id->asBinary(), nullptr, 0, objectType, object), S_OK);
    EXPECT_EQ(objectType, MAPI_MAILUSER);
}

}  // namespace
}  // namespace outlook::local
