#include "outlook/local/mirror/vcard_writer.h"

#include <gtest/gtest.h>

#include "outlook/local/cli/vcard_reader.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"

namespace outlook::local::testing {
namespace {

using mirror::vCardOf;

class MirrorVCardWriter : public MirrorFixture {
protected:
    // A contact as the store keeps it, with any extra properties set on the record.
    ItemRecord savedContact(const std::function<void(const DispatchPtr&)>& fill,
                            const std::function<void(PropertyBag&)>& more = {}) {
        auto item = createItem(olContactItem);
        fill(item);
        item->call("Save");
        const auto ref = store().parse(*mapi::FBinFromHex(item->get("EntryID").asString()));
        ItemRecord record = *store().loadItem(ref->row);
        if (more) {
            more(record.props);
            store().saveItem(record);
        }
        return *store().loadItem(ref->row);
    }
    std::string cardOf(const ItemRecord& record) {
        return vCardOf(record, store().known(), "ABC-jotwise");
    }
};

TEST_F(MirrorVCardWriter, EveryFieldComesBackThroughTheReader) {
    const ItemRecord record = savedContact(
        [](const DispatchPtr& c) {
            c->put("FirstName", "Ann");
            c->put("LastName", "Lee-Smith");
            c->put("CompanyName", "Acme, Inc; Leeds");
            c->put("Email1Address", "ann@example.com");
            c->put("BusinessTelephoneNumber", "+44 113 496 0000, ext. 12");
            c->put("BusinessAddressStreet", "1 Main St\nSuite 5");
            c->put("BusinessAddressCity", "Leeds");
            c->put("BusinessAddressState", "West Yorkshire");
            c->put("BusinessAddressPostalCode", "LS1 1AA");
            c->put("BusinessAddressCountry", "UK");
            c->put("BusinessAddressPostOfficeBox", "PO 7");
            c->put("Body", "Met at the fair;\r\nlikes tea, not coffee \\ ever");
            c->put("Categories", "Business; VIP");
        },
        [](PropertyBag& props) { props.setString(mapi::PR_TITLE, "Head of Sales"); });
    const std::string text = cardOf(record);
    EXPECT_EQ(lineOf(text, "VERSION"), "VERSION:4.0");
    EXPECT_EQ(lineOf(text, "UID"), "UID;VALUE=text:ABC-jotwise");
    EXPECT_EQ(lineOf(text, "CATEGORIES"), "CATEGORIES:Business,VIP");
    EXPECT_EQ(lineOf(text, "TEL"), "TEL;TYPE=work;VALUE=text:+44 113 496 0000\\, ext. 12");
    EXPECT_NE(lineOf(text, "REV"), "(none)");

    const VCardFile file = readVCards(text);
    ASSERT_TRUE(file.problems.empty());
    ASSERT_EQ(file.cards.size(), 1u);
    const VCard& card = file.cards[0];
    EXPECT_EQ(card.formattedName, "Ann Lee-Smith");
    EXPECT_EQ(card.givenName, "Ann");
    EXPECT_EQ(card.familyName, "Lee-Smith");
    EXPECT_EQ(card.organization, "Acme, Inc; Leeds");
    EXPECT_EQ(card.title, "Head of Sales");
    EXPECT_EQ(card.email, "ann@example.com");
    EXPECT_EQ(card.workPhone, "+44 113 496 0000, ext. 12");
    EXPECT_EQ(card.note, "Met at the fair;\nlikes tea, not coffee \\ ever");
    ASSERT_TRUE(card.hasWorkAddress);
    EXPECT_EQ(card.workAddress.street, "1 Main St\nSuite 5");
    EXPECT_EQ(card.workAddress.locality, "Leeds");
    EXPECT_EQ(card.workAddress.region, "West Yorkshire");
    EXPECT_EQ(card.workAddress.postalCode, "LS1 1AA");
    EXPECT_EQ(card.workAddress.country, "UK");
    EXPECT_EQ(card.workAddress.postOfficeBox, "PO 7");
}

TEST_F(MirrorVCardWriter, LongLinesAreFoldedBetweenCharacters) {
    std::string note;
    for (int i = 0; i < 60; ++i)
        note += "é€";  // two- and three-byte characters, so that cuts fall everywhere
    const ItemRecord record = savedContact([&](const DispatchPtr& c) {
        c->put("LastName", "Lee");
        c->put("Body", note);
    });
    const std::string text = cardOf(record);
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        EXPECT_LE(line.size() - 1, 75u) << line;
        // No physical line begins inside a character.
        const std::size_t first = line[0] == ' ' ? 1 : 0;
        ASSERT_GT(line.size(), first);
        EXPECT_NE(static_cast<unsigned char>(line[first]) & 0xC0, 0x80) << line;
    }
    const VCardFile file = readVCards(text);
    ASSERT_EQ(file.cards.size(), 1u);
    EXPECT_EQ(file.cards[0].note, note);
}

TEST_F(MirrorVCardWriter, ACardAlwaysHasAFormattedName) {
    EXPECT_EQ(
        lineOf(cardOf(savedContact([](const DispatchPtr& c) { c->put("CompanyName", "Acme"); })),
               "FN"),
        "FN:Acme");
    EXPECT_EQ(lineOf(cardOf(savedContact(
                         [](const DispatchPtr& c) { c->put("Email1Address", "who@example.com"); })),
                     "FN"),
              "FN:who@example.com");
    // Nothing empty is written.
    const std::string bare =
        cardOf(savedContact([](const DispatchPtr& c) { c->put("LastName", "Lee"); }));
    for (const char* name : {"ORG", "TITLE", "EMAIL", "TEL", "ADR", "NOTE", "CATEGORIES"})
        EXPECT_EQ(lineOf(bare, name), "(none)") << name;
    EXPECT_EQ(lineOf(bare, "N"), "N:Lee;;;;");
}

}  // namespace
}  // namespace outlook::local::testing
