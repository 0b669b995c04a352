#include "outlook/local/contact_editor.h"

#include <gtest/gtest.h>

#include "tests/support/local_store_fixture.h"
#include "tests/support/null_message_boxes.h"

namespace outlook::local::testing {
namespace {

using F = ContactField;

class ContactEditorTest : public LocalStoreFixture {
protected:
    DispatchPtr savedContact() {
        auto contact = createItem(olContactItem);
        contact->put("FirstName", "Ann");
        contact->put("LastName", "Lee");
        contact->put("FileAs", "Boss");
        contact->put("Email1Address", "ann@example.com");
        contact->call("Save");
        return contact;
    }
    // The contact as the store has it now, not as an open object holds it.
    DispatchPtr stored(const DispatchPtr& contact) {
        return mapiNamespace()
            ->call("GetItemFromID", {contact->get("EntryID").asString()})
            .asObject();
    }
};

TEST_F(ContactEditorTest, TheFullAndFileAsNamesFollowThePartsUntilTheUserChangesThem) {
    ContactEditor editor(createItem(olContactItem));
    EXPECT_TRUE(editor.isNew());
    EXPECT_EQ(editor.caption(), "Untitled - Contact");
    EXPECT_EQ(editor.setValue(F::FirstName, "Ann"),
              (std::vector<ContactField>{F::FullName, F::FileAs}));
    editor.setValue(F::LastName, "Lee");
    EXPECT_EQ(editor.value(F::FullName), "Ann Lee");
    EXPECT_EQ(editor.value(F::FileAs), "Lee, Ann");
    EXPECT_EQ(editor.caption(), "Ann Lee - Contact");

    // A full name of the user's own stays; the file-as name still follows.
    editor.setValue(F::FullName, "Dr Ann Lee");
    EXPECT_EQ(editor.setValue(F::LastName, "Leigh"), std::vector<ContactField>{F::FileAs});
    EXPECT_EQ(editor.value(F::FullName), "Dr Ann Lee");
    EXPECT_EQ(editor.value(F::FileAs), "Leigh, Ann");

    // So does a file-as name of the user's own.
    editor.setValue(F::FileAs, "Annie");
    EXPECT_TRUE(editor.setValue(F::FirstName, "Anna").empty());
    EXPECT_EQ(editor.value(F::FileAs), "Annie");

    // Without name parts the company files the contact.
    ContactEditor company(createItem(olContactItem));
    company.setValue(F::Company, "Acme");
    EXPECT_EQ(company.value(F::FileAs), "Acme");
    EXPECT_EQ(company.value(F::FullName), "");
}

TEST_F(ContactEditorTest, ChecksRefuseABadAddressAndANamelessContact) {
    ContactEditor editor(createItem(olContactItem));
    auto problem = editor.check();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, F::FirstName);
    EXPECT_NE(problem->message.find("name or a company"), std::string::npos);

    editor.setValue(F::Company, "Acme");
    EXPECT_FALSE(editor.check());
    for (const char* bad :
         {"ann.example.com", "@example.com", "ann@", "ann lee@example.com", "a@b@c"}) {
        editor.setValue(F::Email, bad);
        problem = editor.check();
        ASSERT_TRUE(problem) << bad;
        EXPECT_EQ(problem->field, F::Email);
        EXPECT_NE(problem->message.find(bad), std::string::npos) << problem->message;
    }
    editor.setValue(F::Email, "  ann@example.com ");
    EXPECT_FALSE(editor.check());
}

TEST_F(ContactEditorTest, SaveWritesEveryFieldThroughTheObjectModel) {
    ContactEditor editor(createItem(olContactItem));
    const std::vector<std::pair<ContactField, const char*>> typed = {
        {F::FirstName, "Ann"},
        {F::LastName, "Lee"},
        {F::Company, "Acme"},
        {F::JobTitle, "Buyer"},
        {F::Email, "ann@example.com"},
        {F::BusinessPhone, "+1 217 555 0100"},
        {F::Street, "1 Main St"},
        {F::City, "Springfield"},
        {F::State, "IL"},
        {F::PostalCode, "62701"},
        {F::Country, "USA"},
        {F::Notes, "Met at the fair.\nLikes tea."}};
    for (const auto& [field, text] : typed)
        editor.setValue(field, text);
    ASSERT_FALSE(editor.save());
    EXPECT_FALSE(editor.isNew());
    EXPECT_FALSE(editor.modified());
    EXPECT_EQ(countIn(olFolderContacts), 1);

    const DispatchPtr contact = stored(editor.contact());
    for (const auto& [field, text] : typed)
        EXPECT_EQ(contact->get(contactFieldInfo(field).property).asString(), text)
            << contactFieldInfo(field).property;
    EXPECT_EQ(contact->get("FullName").asString(), "Ann Lee");
    EXPECT_EQ(contact->get("FileAs").asString(), "Lee, Ann");
}

TEST_F(ContactEditorTest, SaveChangesOnlyWhatWasEdited) {
    const DispatchPtr contact = savedContact();
    ContactEditor editor(stored(contact));
    EXPECT_FALSE(editor.isNew());
    EXPECT_EQ(editor.value(F::FileAs), "Boss");
    editor.setValue(F::JobTitle, "Head of sales");
    EXPECT_TRUE(editor.modified());
    ASSERT_FALSE(editor.save());
    const DispatchPtr now = stored(contact);
    EXPECT_EQ(now->get("JobTitle").asString(), "Head of sales");
    EXPECT_EQ(now->get("FileAs").asString(), "Boss");
    EXPECT_EQ(now->get("FullName").asString(), "Ann Lee");
    EXPECT_EQ(countIn(olFolderContacts), 1);
}

TEST_F(ContactEditorTest, ARefusedSaveWritesNothingAndKeepsWhatWasTyped) {
    ContactEditor editor(createItem(olContactItem));
    editor.setValue(F::FirstName, "Ann");
    editor.setValue(F::Email, "ann at example.com");
    const auto problem = editor.save();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, F::Email);
    EXPECT_EQ(countIn(olFolderContacts), 0);
    EXPECT_EQ(editor.value(F::FirstName), "Ann");
    EXPECT_EQ(editor.value(F::Email), "ann at example.com");
    EXPECT_TRUE(editor.isNew());
}

TEST_F(ContactEditorTest, DiscardClosesTheItemAndDropsItsUnsavedChanges) {
    const DispatchPtr contact = savedContact();
    contact->put("JobTitle", "Changed by the program");
    contact->call("Display");
    ContactEditor editor(contact);
    editor.setValue(F::City, "Paris");
    editor.discard();
    EXPECT_EQ(editor.value(F::City), "");
    EXPECT_EQ(contact->get("JobTitle").asString(), "");
    EXPECT_EQ(stored(contact)->get("BusinessAddressCity").asString(), "");
    const auto& shown = outlook().windows().defaultItemForm().shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].closed);
}

TEST_F(ContactEditorTest, TheSummarySaysNewContactOnlyForANewOne) {
    ContactEditor fresh(createItem(olContactItem));
    EXPECT_EQ(fresh.summary(), "New contact");
    fresh.setValue(F::LastName, "Lee");
    EXPECT_EQ(fresh.summary(), "New contact");

    // An existing contact with nothing but a name is named, never called new.
    ContactEditor named(stored(saveContact("Ann", "Lee", "")));
    EXPECT_EQ(named.name(), "Ann Lee");
    EXPECT_EQ(named.summary(), "");
    named.setValue(F::JobTitle, "Buyer");
    named.setValue(F::BusinessPhone, "555 0100");
    EXPECT_EQ(named.summary(), "Buyer  \u00B7  555 0100");
    named.setValue(F::Company, "Acme");
    named.setValue(F::Email, "ann@example.com");
    EXPECT_EQ(named.summary(), "Buyer, Acme  \u00B7  ann@example.com  \u00B7  555 0100");
}

TEST_F(ContactEditorTest, ClosingAChangedContactAsksWhetherToSaveIt) {
    jotwise::testing::NullMessageBoxes boxes;
    ContactEditor editor(stored(savedContact()));
    EXPECT_EQ(editor.askBeforeClosing(boxes), ContactEditor::Closing::Discard);
    EXPECT_EQ(boxes.shown, 0) << "nothing to lose, nothing to ask";

    editor.setValue(F::City, "Paris");
    const std::pair<platform::MessageAnswer, ContactEditor::Closing> answers[] = {
        {platform::MessageAnswer::Yes, ContactEditor::Closing::Save},
        {platform::MessageAnswer::No, ContactEditor::Closing::Discard},
        {platform::MessageAnswer::Cancel, ContactEditor::Closing::KeepOpen}};
    for (const auto& [answer, closing] : answers) {
        boxes.answer = answer;
        EXPECT_EQ(editor.askBeforeClosing(boxes), closing);
    }
    EXPECT_EQ(boxes.shown, 3);
    EXPECT_EQ(boxes.lastText, "Would you like to save the changes to Ann Lee?");
    EXPECT_EQ(editor.value(F::City), "Paris") << "asking changes nothing";
}

}  // namespace
}  // namespace outlook::local::testing
