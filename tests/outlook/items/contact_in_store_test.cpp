#include <gtest/gtest.h>

#include "outlook/items/contact.h"
#include "outlook/local/headless_windows.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

class ContactInStoreTest : public testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        annKey = addContact("Ann", "Lee", "Acme", "ann@example.com");
        ASSERT_EQ(connect(), 0) << session->LastError();
        outlook->setItemForm(&form);
    }
    void TearDown() override { outlook->setItemForm(nullptr); }

    local::HeadlessItemForm form;
    std::string annKey;
};

TEST_F(ContactInStoreTest, ANewContactOpensItsOwnForm) {
    const std::unique_ptr<TContact> contact = session->CreateContact();
    ASSERT_NE(contact, nullptr);
    ASSERT_NO_THROW(contact->Display());
    ASSERT_EQ(form.shown.size(), 1u);
    EXPECT_EQ(form.shown[0].item, contact->GetObject());
    EXPECT_EQ(form.shown[0].item->get("EntryID").asString(), "") << "not saved by showing it";

    // A cached contact still opens the stored one, found by its key.
    ASSERT_NO_THROW(session->FindContact(annKey)->Display());
    ASSERT_EQ(form.shown.size(), 2u);
    EXPECT_EQ(form.shown[1].item->get("EntryID").asString(), annKey);
}

TEST_F(ContactInStoreTest, ASetterOnACachedContactFailsInsteadOfCrashing) {
    TContact& ann = *session->FindContact(annKey);
    EXPECT_EQ(ann.SetBody("notes"), 3);
    EXPECT_EQ(session->takeLastError(), "The item has no Outlook object to change");
    EXPECT_EQ(ann.SetSubject("x"), 8);
    EXPECT_EQ(ann.Commit(), 2);
    TCategory calls("Calls");
    EXPECT_EQ(ann.SetCategories({&calls}), 7);
    EXPECT_EQ(ann.AddFileAttachment("/etc/hostname", false), 6);
    EXPECT_EQ(ann.AddFileAttachment("/etc/hostname", true), 44);

    // A contact made by the factory takes the same calls.
    const std::unique_ptr<TContact> made = session->CreateContact();
    EXPECT_EQ(made->SetBody("notes"), 0);
    EXPECT_EQ(made->GetObject()->get("Body").asString(), "notes");
}

}  // namespace
}  // namespace outlook
