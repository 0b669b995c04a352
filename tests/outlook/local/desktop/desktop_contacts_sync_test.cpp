// The copies of the desktop's address book in Contacts follow the book's cards, and nothing
// else in Contacts is touched.
#include <gtest/gtest.h>

#include "outlook/local/desktop/desktop_contacts_sync.h"
#include "outlook/local/store/contact_origin.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

using desktop::ContactSyncCounts;
using desktop::syncDesktopContacts;

std::string card(const std::string& uid, const std::string& name, const std::string& email,
                 const std::string& extra = "") {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + name + "\r\nEMAIL:" + email +
           "\r\n" + extra + "END:VCARD\r\n";
}

std::string countsOf(const ContactSyncCounts& c) {
    return std::to_string(c.added) + " added, " + std::to_string(c.updated) + " updated, " +
           std::to_string(c.removed) + " removed";
}

class DesktopContactsSync : public LocalStoreFixture {
protected:
    std::string sync(const std::vector<std::string>& book) {
        return countsOf(syncDesktopContacts(outlook().store(), book));
    }
    // Full name -> e-mail address of every contact in Contacts.
    std::map<std::string, std::string> contacts() {
        std::map<std::string, std::string> out;
        auto items = defaultFolder(olFolderContacts)->get("Items").asObject();
        const auto count = items->get("Count").asInt();
        for (std::int32_t i = 1; i <= count; ++i) {
            auto item = items->call("Item", {i}).asObject();
            out[item->get("FullName").asString()] = item->get("Email1Address").asString();
        }
        return out;
    }
};

TEST_F(DesktopContactsSync, AddsChangesAndRemovesOnlyTheBooksCopies) {
    auto own = saveContact("Dana", "Reyes", "dana@example.com");
    const std::string ann = card("pas-id-ann", "Ann Lee", "ann@example.com");
    const std::string bob = card("pas-id-bob", "Bob Stone", "bob@example.com", "TEL:555 0100\r\n");
    EXPECT_EQ(sync({ann, bob}), "2 added, 0 updated, 0 removed");
    EXPECT_EQ(sync({ann, bob}), "0 added, 0 updated, 0 removed");
    EXPECT_EQ(contacts(), (std::map<std::string, std::string>{{"Ann Lee", "ann@example.com"},
                                                              {"Bob Stone", "bob@example.com"},
                                                              {"Dana Reyes", "dana@example.com"}}));

    // Ann's address changes, Bob's number goes, Bob leaves the book.
    const std::string annMoved = card("pas-id-ann", "Ann Lee", "ann@new.example");
    EXPECT_EQ(sync({annMoved, card("pas-id-bob", "Bob Stone", "bob@example.com")}),
              "0 added, 2 updated, 0 removed");
    EXPECT_EQ(sync({annMoved}), "0 added, 0 updated, 1 removed");
    EXPECT_EQ(contacts(), (std::map<std::string, std::string>{{"Ann Lee", "ann@new.example"},
                                                              {"Dana Reyes", "dana@example.com"}}));

    // An empty book takes its copies away and leaves the user's own.
    EXPECT_EQ(sync({}), "0 added, 0 updated, 1 removed");
    EXPECT_EQ(contacts(), (std::map<std::string, std::string>{{"Dana Reyes", "dana@example.com"}}));
    EXPECT_EQ(own->get("FullName"), Variant("Dana Reyes"));
}

TEST_F(DesktopContactsSync, TheUsersOwnContactStandsForTheSamePersonAndCardsWithoutUidStayOut) {
    saveContact("Ann", "Lee", "ann@example.com");
    const auto counts = syncDesktopContacts(
        outlook().store(), {card("pas-id-ann", "Ann Lee", "ANN@example.com"),
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:No Uid\r\nEND:VCARD\r\n"});
    EXPECT_EQ(countsOf(counts), "0 added, 0 updated, 0 removed");
    EXPECT_EQ(counts.unusable, 1);
    EXPECT_EQ(countIn(olFolderContacts), 1);
}

TEST_F(DesktopContactsSync, ACopyTheUserDeletedStaysDeletedAndOneEditedHereFollowsTheBook) {
    const std::string ann = card("pas-id-ann", "Ann Lee", "ann@example.com");
    const std::string bob = card("pas-id-bob", "Bob Stone", "bob@example.com");
    ASSERT_EQ(sync({ann, bob}), "2 added, 0 updated, 0 removed");
    auto items = defaultFolder(olFolderContacts)->get("Items").asObject();
    items->call("Item", {1}).asObject()->call("Delete");
    EXPECT_EQ(sync({ann, bob}), "0 added, 0 updated, 0 removed");
    EXPECT_EQ(countIn(olFolderContacts), 1);
    EXPECT_EQ(countIn(olFolderDeletedItems), 1);

    // The book's next change of Bob wins over an edit made here.
    auto copy = items->call("Item", {1}).asObject();
    copy->put("Email1Address", "bob@typo.example");
    copy->call("Save");
    EXPECT_EQ(sync({ann, card("pas-id-bob", "Bob Stone", "bob@example.com", "NOTE:x\r\n")}),
              "0 added, 1 updated, 0 removed");
    EXPECT_EQ(contacts()["Bob Stone"], "bob@example.com");
}

}  // namespace
}  // namespace outlook::local::testing
