#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "outlook/local/address_dialog.h"
#include "outlook/local/cli/store_tool.h"
#include "outlook/recipients/browse_address_book.h"
#include "outlook/recipients/mailing_info.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/scripted_address_dialog.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

using ::testing::_;
using ::testing::Return;

mapi::ADRENTRY entry(const std::string& name, mapi::ULONG type) {
    return {{mapi::SPropValue::string(mapi::PR_DISPLAY_NAME, name),
             mapi::SPropValue::integer(mapi::PR_RECIPIENT_TYPE, static_cast<std::int32_t>(type))}};
}

std::string displayName(const mapi::ADRENTRY& e) {
    const auto* name = mapi::FindProp(e.rgPropVals, mapi::PR_DISPLAY_NAME);
    return name && name->asString8() ? *name->asString8() : "";
}

std::vector<std::string> names(const std::vector<std::unique_ptr<TContact>>& contacts) {
    std::vector<std::string> result;
    for (const auto& contact : contacts)
        result.push_back(contact->FileAs());
    return result;
}

using testing::ScriptedDialog;
using jotwise::testing::MockMessageBoxes;

class RecipientsTest : public testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        ann = addContact("Ann", "Lee", "", "ann@example.com");
        bob = addContact("Bob", "Smith", "", "bob@example.com");
        ASSERT_EQ(connect(), 0) << session->LastError();
        outlook->setAddressDialog(&dialog);
    }
    void TearDown() override { outlook->setAddressDialog(nullptr); }

    // The recipients an item was saved with, as "name:type:resolved".
    std::vector<std::string> savedRecipients(const DispatchPtr& item) {
        const DispatchPtr saved = application()
                                      ->call("GetNamespace", {"MAPI"})
                                      .asObject()
                                      ->call("GetItemFromID", {item->get("EntryID")})
                                      .asObject();
        const DispatchPtr recipients = saved->get("Recipients").asObject();
        std::vector<std::string> result;
        for (std::int32_t i = 1; i <= recipients->get("Count").asInt(); ++i) {
            const DispatchPtr r = recipients->call("Item", {i}).asObject();
            result.push_back(r->get("Name").asString() + ":" +
                             std::to_string(r->get("Type").asInt()) + ":" +
                             (r->get("Resolved").asBool() ? "resolved" : "unresolved"));
        }
        return result;
    }

    std::string ann, bob;
    ScriptedDialog dialog;
    ::testing::NiceMock<MockMessageBoxes> boxes;
};

TEST_F(RecipientsTest, TheContactEntryIsOneEntryThatCanBeRenamedAndRemoved) {
    TMailingInfo info;
    EXPECT_EQ(info.SetContactRecipient("NOT-CACHED", false), 0);
    EXPECT_FALSE(info.HasRecipients());
    EXPECT_EQ(info.RecipientCount(), 0u);

    info.SetList(
        {entry("One", mapi::MAPI_TO), entry("Two", mapi::MAPI_CC), entry("Three", mapi::MAPI_TO)});
    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);
    ASSERT_EQ(info.SetContactRecipient(bob, true), 0);
    ASSERT_EQ(info.RecipientCount(), 4u);
    EXPECT_EQ(displayName(info.List()[3]), "Bob Smith");
    std::vector<std::unique_ptr<TContact>> cc;
    ASSERT_EQ(info.CollectRecipients(mapi::MAPI_CC, cc), 0);
    EXPECT_EQ(names(cc), (std::vector<std::string>{"Two", "Bob Smith"}));

    info.RemoveContactRecipient();
    ASSERT_EQ(info.RecipientCount(), 3u);
    EXPECT_EQ(displayName(info.List()[2]), "Three");
    EXPECT_TRUE(info.HasRecipients());
    info.Clear();
    EXPECT_FALSE(info.HasRecipients());
}

TEST_F(RecipientsTest, AContactEntryTheDialogDroppedIsAppendedAgain) {
    TMailingInfo info;
    info.SetList({entry("One", mapi::MAPI_TO), entry("Two", mapi::MAPI_TO)});
    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);  // the third entry
    info.SetList({entry("One", mapi::MAPI_TO)});         // the user kept only the first
    info.RemoveContactRecipient();
    EXPECT_EQ(info.RecipientCount(), 1u) << "an index past the list removes nothing";
    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);
    EXPECT_EQ(info.RecipientCount(), 2u);
}

TEST_F(RecipientsTest, AnEntryTheUserPutInPlaceOfTheContactIsNeverTouched) {
    TMailingInfo info;
    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);
    info.SetList({entry("Bob Smith", mapi::MAPI_TO)});  // the user replaced Ann by Bob
    info.RemoveContactRecipient();                      // the note no longer names Ann
    ASSERT_EQ(info.RecipientCount(), 1u);
    EXPECT_EQ(displayName(info.List()[0]), "Bob Smith");
    EXPECT_TRUE(info.HasRecipients());

    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);  // named again: appended, Bob kept
    ASSERT_EQ(info.RecipientCount(), 2u);
    EXPECT_EQ(displayName(info.List()[0]), "Bob Smith");
    EXPECT_EQ(displayName(info.List()[1]), "Ann Lee");
}

TEST_F(RecipientsTest, TheContactsEntryIsFoundWhereTheDialogMovedIt) {
    TMailingInfo info;
    ASSERT_EQ(info.SetContactRecipient(ann, true), 0);
    info.SetList({entry("Bob Smith", mapi::MAPI_TO), entry("Ann Lee", mapi::MAPI_CC)});
    ASSERT_EQ(info.SetContactRecipient(ann, true), 0);
    ASSERT_EQ(info.RecipientCount(), 2u);
    EXPECT_EQ(displayName(info.List()[0]), "Bob Smith");
    EXPECT_EQ(displayName(info.List()[1]), "Ann Lee");

    ASSERT_EQ(info.SetContactRecipient(bob, false), 0);  // the note now names Bob instead
    std::vector<std::unique_ptr<TContact>> to;
    ASSERT_EQ(info.CollectRecipients(mapi::MAPI_TO, to), 0);
    EXPECT_EQ(names(to), (std::vector<std::string>{"Bob Smith", "Bob Smith"}));
    info.RemoveContactRecipient();
    ASSERT_EQ(info.RecipientCount(), 1u);
    EXPECT_EQ(displayName(info.List()[0]), "Bob Smith") << "the user's own Bob stays";
}

TEST_F(RecipientsTest, AnEntryWithoutADisplayNameCannotBeCollected) {
    TMailingInfo info;
    info.SetList({entry("Ann Lee", mapi::MAPI_TO),
                  {{mapi::SPropValue::integer(mapi::PR_RECIPIENT_TYPE, mapi::MAPI_CC)}}});
    std::vector<std::unique_ptr<TContact>> contacts;
    EXPECT_EQ(info.CollectRecipients(mapi::MAPI_TO, contacts), 0);
    EXPECT_EQ(info.CollectRecipients(mapi::MAPI_CC, contacts), 39);
}

TEST_F(RecipientsTest, MailIsSentToResolvedRecipientsInBothRoles) {
    TMailingInfo info;
    info.SetList({entry("Ann Lee", mapi::MAPI_TO), entry("Bob Smith", mapi::MAPI_CC),
                  entry("Nobody Known", mapi::MAPI_TO), entry("Blind", mapi::MAPI_BCC)});
    auto mail = session->CreateMailMessage();
    ASSERT_NE(mail, nullptr);
    ASSERT_EQ(mail->SetSubject("budget"), 0);
    ASSERT_EQ(mail->AddRecipients(info, 7), 0) << session->LastError();
    EXPECT_TRUE(mail->hasRecipients);
    const DispatchPtr recipients = mail->GetObject()->get("Recipients").asObject();
    ASSERT_EQ(recipients->get("Count").asInt(), 3) << "blind copies are not added";
    // To recipients first, in list order, then the Cc ones.
    EXPECT_FALSE(recipients->call("Item", {2}).asObject()->get("Resolved").asBool());
    EXPECT_EQ(recipients->call("Item", {3}).asObject()->get("Type").asInt(), 2);
}

TEST_F(RecipientsTest, ANameResolvingOnlyInItsEMailFormIsAddedInThatForm) {
    // A second entry named "Ann Lee" makes the plain name ambiguous; the contact's
    // address-book form still names exactly one entry.
    std::ostringstream out, err;
    local::StoreTool quiet(out, err);
    ASSERT_EQ(quiet.run({"add-mailuser", "--name", "Ann Lee", "--email", "ann.lee@other.example"},
                        outlook->store()),
              0)
        << err.str();
    TMailingInfo info;
    info.SetList({entry("Ann Lee", mapi::MAPI_TO)});
    auto task = session->CreateTask();
    ASSERT_EQ(task->SetSubject("send the budget"), 0);
    ASSERT_EQ(task->AddRecipients(info, kToRecipients), 0) << session->LastError();
    const DispatchPtr added =
        task->GetObject()->get("Recipients").asObject()->call("Item", {1}).asObject();
    EXPECT_EQ(added->get("Name").asString(), "Ann Lee (E-mail)");
    EXPECT_TRUE(added->get("Resolved").asBool());
}

TEST_F(RecipientsTest, ATaskWithRecipientsIsAssignedAndSent) {
    TMailingInfo info;
    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);
    auto task = session->CreateTask();
    ASSERT_EQ(task->SetSubject("call the bank"), 0);
    ASSERT_EQ(task->AddRecipients(info, kToRecipients | kCcRecipients | 4), 0);
    ASSERT_EQ(task->Commit(), 0) << session->LastError();
    EXPECT_EQ(savedRecipients(task->GetObject()),
              std::vector<std::string>{"Ann Lee (E-mail):1:resolved"});
}

TEST_F(RecipientsTest, AMeetingRequestHasRequiredAndOptionalAttendees) {
    TMailingInfo info;
    info.SetList({entry("Ann Lee", mapi::MAPI_TO), entry("Bob Smith", mapi::MAPI_CC)});
    auto meeting = session->CreateAppointment();
    ASSERT_EQ(meeting->SetSubject("planning"), 0);
    ASSERT_EQ(meeting->AddRecipients(info, kToRecipients | kCcRecipients), 0);
    ASSERT_EQ(meeting->Commit(), 0) << session->LastError();
    EXPECT_EQ(meeting->GetObject()->get("MeetingStatus").asInt(), 1);
    EXPECT_EQ(
        savedRecipients(meeting->GetObject()),
        (std::vector<std::string>{"Ann Lee (E-mail):1:resolved", "Bob Smith (E-mail):2:resolved"}));
}

TEST_F(RecipientsTest, AFailureKeepsTheRecipientsAddedBeforeIt) {
    TMailingInfo info;
    info.SetList({entry("Ann Lee", mapi::MAPI_TO), entry("Bob Smith", mapi::MAPI_CC)});
    auto mail = session->CreateMailMessage();
    // Without a session nothing can be resolved: the failure's text becomes the last error.
    InstallDataStore(nullptr);
    EXPECT_EQ(mail->AddRecipients(info, kToRecipients), 40);
    InstallDataStore(session.get());
    EXPECT_FALSE(mail->hasRecipients);

    ASSERT_EQ(mail->AddRecipients(info, kToRecipients), 0);
    EXPECT_TRUE(mail->hasRecipients);
    InstallDataStore(nullptr);
    EXPECT_EQ(mail->AddRecipients(info, kCcRecipients), 40);
    InstallDataStore(session.get());
    EXPECT_EQ(mail->GetObject()->get("Recipients").asObject()->get("Count").asInt(), 1);
}

TEST_F(RecipientsTest, BrowsingShowsTheChoiceSoFarAndKeepsItOnCancel) {
    TMailingInfo info;
    ASSERT_EQ(info.SetContactRecipient(ann, false), 0);
    dialog.answer = mapi::MAPI_E_USER_CANCEL;
    EXPECT_EQ(BrowseAddressBook(*session, 0, info, 5, boxes), 0);
    ASSERT_EQ(dialog.shownList.size(), 1u);
    EXPECT_EQ(displayName(dialog.shownList[0]), "Ann Lee");
    EXPECT_EQ(dialog.shownParameters.ulFlags, 0x35u);
    EXPECT_EQ(dialog.shownParameters.lpszCaption, "Browse Address Book");
    EXPECT_EQ(dialog.shownParameters.lpszNewEntryTitle, "In this &message only");
    EXPECT_EQ(dialog.shownParameters.cDestFields, 2u);
    EXPECT_EQ(dialog.shownParameters.lppszDestTitles,
              (std::vector<std::string>{"Required", "Optional"}));
    EXPECT_EQ(info.RecipientCount(), 1u);

    dialog.answer = mapi::S_OK;
    dialog.choice = {entry("Bob Smith", mapi::MAPI_TO), entry("Ann Lee", mapi::MAPI_CC)};
    EXPECT_EQ(BrowseAddressBook(*session, 0, info, 3, boxes), 0);
    EXPECT_TRUE(dialog.shownParameters.lppszDestTitles.empty()) << "mail uses default titles";
    EXPECT_EQ(info.RecipientCount(), 2u);
}

TEST_F(RecipientsTest, WellsFollowTheNoteType) {
    EXPECT_EQ(BrowseParameters(2).cDestFields, 1u);
    EXPECT_EQ(BrowseParameters(4).cDestFields, 1u);
    EXPECT_EQ(BrowseParameters(0).lppszDestTitles.size(), 2u);
    EXPECT_TRUE(BrowseParameters(1).lppszDestTitles.empty());
}

TEST_F(RecipientsTest, AnEmptyChoiceWarnsAndClearsAndAFailureClears) {
    TMailingInfo info;
    info.SetList({entry("Ann Lee", mapi::MAPI_TO)});
    dialog.choice = {};
    EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook",
                            "Mail Message, Task Request, and Meeting Request action notes must "
                            "have at least one recipient!",
                            platform::MessageIcon::Warning, platform::MessageButtons::Ok))
        .WillOnce(Return(platform::MessageAnswer::Ok));
    EXPECT_EQ(BrowseAddressBook(*session, 0, info, 0, boxes), 0);
    EXPECT_FALSE(info.HasRecipients());

    info.SetList({entry("Ann Lee", mapi::MAPI_TO)});
    outlook->setAddressDialog(nullptr);  // the address book cannot show its dialog
    EXPECT_EQ(BrowseAddressBook(*session, 0, info, 3, boxes), 38);
    EXPECT_FALSE(info.HasRecipients());
}

}  // namespace
}  // namespace outlook
