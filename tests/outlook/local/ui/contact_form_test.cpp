#include "outlook/local/ui/contact_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/outlook/local/ui/store_window_fixture.h"
#include "tests/support/mnemonics.h"
#include "tests/support/text_fits.h"

namespace outlook::local::testing {
namespace {

class ContactFormTest : public StoreWindowTest {
protected:
    // The one window the form shows, after `item` was displayed.
    QDialog& shownWindow() {
        const auto open = windows->itemForm().openWindows();
        if (open.size() != 1) throw std::runtime_error("not one window open");
        return *open.front();
    }
    QLineEdit& field(QDialog& window, const char* name) { return child<QLineEdit>(window, name); }
    void type(QDialog& window, const char* name, const char* text) {
        QTest::keyClicks(&field(window, name), text);
    }
    // Replaces a field's text as a user does: select all, delete, type.
    void retype(QDialog& window, const char* name, const char* text) {
        QLineEdit& edit = field(window, name);
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Delete);
        QTest::keyClicks(&edit, text);
    }
};

TEST_F(ContactFormTest, ShowsEveryFieldOfAnExistingContact) {
    auto contact = saveContact("Ann", "Lee", "ann@example.com", "Acme");
    contact->put("JobTitle", "Buyer");
    contact->put("BusinessTelephoneNumber", "555 0100");
    contact->put("BusinessAddressCity", "Springfield");
    contact->put("Body", "Likes tea.");
    contact->call("Save");
    contact->call("Display");
    QDialog& window = shownWindow();
    EXPECT_EQ(window.windowTitle(), "Ann Lee - Contact");
    for (const auto& info : contactFields())
        EXPECT_NE(window.findChild<QWidget*>(
                      QString::fromUtf8(info.objectName.data(), int(info.objectName.size()))),
                  nullptr)
            << info.objectName;
    EXPECT_EQ(field(window, "edFirstName").text(), "Ann");
    EXPECT_EQ(field(window, "edFullName").text(), "Ann Lee");
    EXPECT_EQ(field(window, "edFileAs").text(), "Lee, Ann");
    EXPECT_EQ(field(window, "edCompany").text(), "Acme");
    EXPECT_EQ(field(window, "edJobTitle").text(), "Buyer");
    EXPECT_EQ(field(window, "edEmail").text(), "ann@example.com");
    EXPECT_EQ(field(window, "edBusinessPhone").text(), "555 0100");
    EXPECT_EQ(field(window, "edCity").text(), "Springfield");
    EXPECT_EQ(child<QPlainTextEdit>(window, "memoNotes").toPlainText(), "Likes tea.");

    // Shown again, the same window comes to the front.
    stored(contact)->call("Display");
    EXPECT_EQ(windows->itemForm().openWindows().size(), 1u);
}

TEST_F(ContactFormTest, SaveWritesWhatWasTypedIntoTheStore) {
    auto contact = createItem(olContactItem);
    contact->call("Display");
    QDialog& window = shownWindow();
    EXPECT_EQ(window.windowTitle(), "Untitled - Contact");
    type(window, "edFirstName", "Bob");
    type(window, "edLastName", "Stone");
    EXPECT_EQ(field(window, "edFullName").text(), "Bob Stone");
    EXPECT_EQ(field(window, "edFileAs").text(), "Stone, Bob");
    EXPECT_EQ(window.windowTitle(), "Bob Stone - Contact");
    type(window, "edCompany", "Stone & Sons");
    type(window, "edJobTitle", "Owner");
    type(window, "edEmail", "bob@example.com");
    type(window, "edBusinessPhone", "+1 555 0199");
    type(window, "edStreet", "2 Quarry Road");
    type(window, "edCity", "Bedrock");
    type(window, "edState", "CA");
    type(window, "edPostalCode", "90210");
    type(window, "edCountry", "USA");
    QTest::keyClicks(&child<QPlainTextEdit>(window, "memoNotes"), "Supplies the gravel.");
    child<QPushButton>(window, "btnSave").click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());

    ASSERT_EQ(countIn(olFolderContacts), 1);
    const DispatchPtr saved = stored(contact);
    EXPECT_EQ(saved->get("FullName").asString(), "Bob Stone");
    EXPECT_EQ(saved->get("FileAs").asString(), "Stone, Bob");
    EXPECT_EQ(saved->get("CompanyName").asString(), "Stone & Sons");
    EXPECT_EQ(saved->get("JobTitle").asString(), "Owner");
    EXPECT_EQ(saved->get("Email1Address").asString(), "bob@example.com");
    EXPECT_EQ(saved->get("BusinessTelephoneNumber").asString(), "+1 555 0199");
    EXPECT_EQ(saved->get("BusinessAddressStreet").asString(), "2 Quarry Road");
    EXPECT_EQ(saved->get("BusinessAddressPostalCode").asString(), "90210");
    EXPECT_EQ(saved->get("BusinessAddressCountry").asString(), "USA");
    EXPECT_EQ(saved->get("Body").asString(), "Supplies the gravel.");
}

TEST_F(ContactFormTest, EveryAltKeyReachesOneControlAndCtrlSSaves) {
    auto contact = createItem(olContactItem);
    contact->call("Display");
    QDialog& window = shownWindow();
    EXPECT_EQ(jotwise::testing::clashingMnemonics(window), "");
    type(window, "edFirstName", "Cy");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&field(window, "edFirstName"), Qt::Key_S, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(countIn(olFolderContacts), 1);
}

TEST_F(ContactFormTest, CancelWritesNothing) {
    auto contact = saveContact("Ann", "Lee", "ann@example.com");
    contact->call("Display");
    QDialog& changed = shownWindow();
    field(changed, "edCity").setFocus();
    type(changed, "edCity", "Paris");
    child<QPushButton>(changed, "btnCancel").click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(stored(contact)->get("BusinessAddressCity").asString(), "");

    // A new contact cancelled is not filed; neither is one closed with Escape.
    createItem(olContactItem)->call("Display");
    type(shownWindow(), "edFirstName", "Carl");
    child<QPushButton>(shownWindow(), "btnCancel").click();
    createItem(olContactItem)->call("Display");
    type(shownWindow(), "edFirstName", "Dan");
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(countIn(olFolderContacts), 1);
    EXPECT_EQ(boxes.shown, 3) << "each was asked about, and answered No";
}

TEST_F(ContactFormTest, EscapeOnAChangedFormAsksBeforeDiscarding) {
    // Nothing typed, nothing asked.
    createItem(olContactItem)->call("Display");
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(boxes.shown, 0);

    auto contact = saveContact("Ann", "Lee", "ann@example.com");
    contact->call("Display");
    type(shownWindow(), "edCity", "Paris");
    boxes.answer = platform::MessageAnswer::Cancel;
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown, 1);
    EXPECT_EQ(boxes.lastText, "Would you like to save the changes to Ann Lee?");
    ASSERT_EQ(windows->itemForm().openWindows().size(), 1u) << "Cancel keeps the form open";
    EXPECT_EQ(field(shownWindow(), "edCity").text(), "Paris");

    boxes.answer = platform::MessageAnswer::Yes;
    QTest::keyClick(&shownWindow(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(stored(contact)->get("BusinessAddressCity").asString(), "Paris");
}

TEST_F(ContactFormTest, TabGoesThroughTheFieldsAsTheyAreRead) {
    createItem(olContactItem)->call("Display");
    QDialog& window = shownWindow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field(window, "edFirstName").setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, (QStringList{"edFirstName", "edLastName", "edFullName", "edFileAs", "edEmail",
                                  "edBusinessPhone", "edCompany", "edJobTitle", "edStreet",
                                  "edCity", "edState", "edPostalCode", "edCountry", "memoNotes",
                                  "btnSave", "btnCancel"}));
}

TEST_F(ContactFormTest, AnExistingContactIsNamedNotNew) {
    saveContact("Ann", "Lee", "")->call("Display");
    EXPECT_EQ(child<QLabel>(shownWindow(), "lblHeading").text(), "Ann Lee");
    EXPECT_EQ(child<QLabel>(shownWindow(), "lblSubheading").text(), "");
    child<QPushButton>(shownWindow(), "btnCancel").click();
    QCoreApplication::processEvents();

    createItem(olContactItem)->call("Display");
    EXPECT_EQ(child<QLabel>(shownWindow(), "lblHeading").text(), "Untitled");
    EXPECT_EQ(child<QLabel>(shownWindow(), "lblSubheading").text(), "New contact");
}

TEST_F(ContactFormTest, ABadAddressIsRefusedAndNothingTypedIsLost) {
    createItem(olContactItem)->call("Display");
    QDialog& window = shownWindow();
    type(window, "edFirstName", "Eve");
    type(window, "edCompany", "Evergreen");
    type(window, "edEmail", "eve.example.com");
    QTest::keyClicks(&child<QPlainTextEdit>(window, "memoNotes"), "Call back");
    auto& problem = child<QLabel>(window, "lblProblem");
    EXPECT_FALSE(problem.isVisible());
    child<QPushButton>(window, "btnSave").click();
    QCoreApplication::processEvents();
    ASSERT_EQ(windows->itemForm().openWindows().size(), 1u);
    EXPECT_TRUE(problem.isVisible());
    EXPECT_TRUE(problem.text().contains("eve.example.com"));
    EXPECT_EQ(field(window, "edEmail").text(), "eve.example.com");
    EXPECT_EQ(field(window, "edFirstName").text(), "Eve");
    EXPECT_EQ(field(window, "edCompany").text(), "Evergreen");
    EXPECT_EQ(child<QPlainTextEdit>(window, "memoNotes").toPlainText(), "Call back");
    EXPECT_EQ(countIn(olFolderContacts), 0);

    // Nameless is refused too; corrected, it saves.
    retype(window, "edEmail", "eve@example.com");
    for (const char* name : {"edFirstName", "edFullName", "edFileAs", "edCompany"})
        retype(window, name, "");
    child<QPushButton>(window, "btnSave").click();
    EXPECT_TRUE(problem.text().contains("name or a company"));
    EXPECT_EQ(countIn(olFolderContacts), 0);
    type(window, "edLastName", "Green");
    child<QPushButton>(window, "btnSave").click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(countIn(olFolderContacts), 1);
}

TEST_F(ContactFormTest, AModalFormReturnsOnceClosed) {
    auto contact = createItem(olContactItem);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QDialog& window = shownWindow();
        seen = window.isModal();
        type(window, "edFirstName", "Fay");
        child<QPushButton>(window, "btnSave").click();
    });
    contact->call("Display", {true});
    EXPECT_TRUE(seen);
    EXPECT_EQ(countIn(olFolderContacts), 1);
    EXPECT_EQ(contact->get("FirstName").asString(), "Fay");
}

TEST_F(ContactFormTest, ClosingTheItemClosesItsWindow) {
    auto contact = saveContact("Ann", "Lee", "");
    contact->call("Display");
    type(shownWindow(), "edJobTitle", "typed but never saved");
    contact->call("Close", {static_cast<std::int32_t>(olDiscard)});
    QCoreApplication::processEvents();
    EXPECT_TRUE(windows->itemForm().openWindows().empty());
    EXPECT_EQ(stored(contact)->get("JobTitle").asString(), "");
}

TEST_F(ContactFormTest, TheFormRemembersItsSize) {
    createItem(olContactItem)->call("Display");
    shownWindow().resize(700, 560);
    child<QPushButton>(shownWindow(), "btnCancel").click();
    QCoreApplication::processEvents();
    EXPECT_EQ(sizes.size("ContactForm"), (WindowSize{700, 560}));
    createItem(olContactItem)->call("Display");
    EXPECT_EQ(shownWindow().size(), QSize(700, 560));
}

// Appointments, tasks, notes and journal entries have forms of their own (item_form_test).
TEST_F(ContactFormTest, MailOpensReadOnly) {
    auto mail = createItem(olMailItem);
    mail->put("Subject", "Send the budget");
    mail->put("Body", "Figures from Ann.");
    mail->call("Save");
    mail->call("Display");
    QDialog& window = shownWindow();
    EXPECT_EQ(window.windowTitle(), "Send the budget - Mail Message");
    EXPECT_EQ(child<QLabel>(window, "lblTitle").text(), "Send the budget");
    auto& body = child<QPlainTextEdit>(window, "memoBody");
    EXPECT_TRUE(body.isReadOnly());
    EXPECT_EQ(body.toPlainText(), "Figures from Ann.");
    EXPECT_EQ(window.findChild<QLineEdit*>(), nullptr);
}

TEST_F(ContactFormTest, PicturesOfTheContactForm) {
    auto contact = saveContact("Ann", "Lee", "ann.lee@example.com", "Acme Corporation");
    contact->put("JobTitle", "Purchasing manager");
    contact->put("BusinessAddressStreet", "1200 Harbor Boulevard");
    contact->put("BusinessAddressCity", "Springfield");
    contact->put("BusinessAddressState", "IL");
    contact->put("BusinessAddressPostalCode", "62701");
    contact->put("BusinessAddressCountry", "United States");
    contact->put("Body", "Met at the trade fair in March.\nPrefers calls before noon.");
    contact->call("Save");
    contact->call("Display");
    QDialog& window = shownWindow();
    window.show();
    keep(window, "contact_form.png");

    retype(window, "edEmail", "ann.lee.example.com");
    child<QPushButton>(window, "btnSave").click();
    keep(window, "contact_form_problem.png");
}

TEST_F(ContactFormTest, EveryTextFitsAtEveryFontSizeAndInTheDark) {
    auto contact = saveContact("Ann", "Lee", "ann.lee@example.com", "Acme Corporation");
    contact->put("JobTitle", "Purchasing manager");
    contact->put("BusinessTelephoneNumber", "+1 217 555 0100");
    contact->put("BusinessAddressStreet", "1200 Harbor Boulevard");
    contact->put("BusinessAddressPostalCode", "62701");
    contact->call("Save");
    const auto render = [&](const std::string& picture) {
        stored(contact)->call("Display");
        QDialog& window = shownWindow();
        window.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(jotwise::testing::clippedTexts(window), std::vector<std::string>()) << picture;
        keep(window, picture.c_str());
        window.close();
        QCoreApplication::processEvents();
    };
    for (int points : {9, 11, 14}) {
        const jotwise::testing::ApplicationFontSize font(points);
        render("contact_form_" + std::to_string(points) + "pt.png");
    }
    const jotwise::testing::DarkPalette dark;
    render("contact_form_dark.png");
}

}  // namespace
}  // namespace outlook::local::testing
