// Importing a vCard file again finds the contacts it made the first time.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "outlook/local/cli/contact_writer.h"
#include "outlook/local/cli/store_tool.h"
#include "outlook/local/store/contact_origin.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

class VCardImportTest : public LocalStoreFixture {
protected:
    // What import-vcard prints, or its error text when it fails.
    std::string import(const std::string& cards) {
        const fs::path file = temp.path() / "cards.vcf";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << cards;
        std::ostringstream out, err;
        StoreTool tool(out, err);
        return tool.run({"import-vcard", file.string()}, outlook().store()) == 0 ? out.str()
                                                                                 : err.str();
    }
    DispatchPtr contact(std::int32_t index) {
        return defaultFolder(olFolderContacts)
            ->get("Items")
            .asObject()
            ->call("Item", {index})
            .asObject();
    }
};

const char* const kCards =
    "BEGIN:VCARD\nVERSION:3.0\nUID:card-ann\nN:Lee;Ann\nEMAIL:ann@example.com\n"
    "TEL;TYPE=WORK:555 0100\nNOTE:met in Hull\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:2.1\nFN:Bob Stone\nEMAIL:bob@example.com\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:4.0\nORG:Quarry Ltd\nEND:VCARD\n";

TEST_F(VCardImportTest, ImportingTheSameFileAgainChangesNothing) {
    EXPECT_EQ(import(kCards), "3 added, 0 updated, 0 skipped\n");
    const auto before = store().itemStamps();
    EXPECT_EQ(import(kCards), "0 added, 0 updated, 3 skipped\n");
    const auto after = store().itemStamps();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].id, before[i].id);
        EXPECT_EQ(after[i].modified, before[i].modified) << "item " << after[i].id << " rewritten";
    }
    EXPECT_EQ(countIn(olFolderContacts), 3);
}

TEST_F(VCardImportTest, AChangedCardUpdatesItsContactAndADifferentUidIsAnotherContact) {
    ASSERT_EQ(import(kCards), "3 added, 0 updated, 0 skipped\n");
    // Ann's card, found by its UID under a new name and without the note; Bob's card now has
    // a UID, which his contact (imported without one) takes on.
    EXPECT_EQ(import("BEGIN:VCARD\nVERSION:3.0\nUID:card-ann\nN:Lee-Hart;Ann\n"
                     "EMAIL:ann@example.com\nTEL;TYPE=WORK:555 0199\nEND:VCARD\n"
                     "BEGIN:VCARD\nVERSION:3.0\nUID:card-bob\nFN:Bob Stone\n"
                     "EMAIL:bob@example.com\nEND:VCARD\n"),
              "0 added, 2 updated, 0 skipped\n");
    auto ann = contact(1);
    EXPECT_EQ(ann->get("FullName"), Variant("Ann Lee-Hart"));
    EXPECT_EQ(ann->get("BusinessTelephoneNumber"), Variant("555 0199"));
    EXPECT_EQ(ann->get("Body"), Variant(""));
    // A card with another UID is somebody else of the same name and address.
    EXPECT_EQ(import("BEGIN:VCARD\nVERSION:3.0\nUID:card-bob-2\nFN:Bob Stone\n"
                     "EMAIL:bob@example.com\nEND:VCARD\n"),
              "1 added, 0 updated, 0 skipped\n");
    EXPECT_EQ(countIn(olFolderContacts), 4);
    EXPECT_EQ(import("BEGIN:VCARD\nVERSION:3.0\nUID:card-bob-2\nFN:Bob Stone\n"
                     "EMAIL:bob@example.com\nTEL:555 0200\nEND:VCARD\n"),
              "0 added, 1 updated, 0 skipped\n");
    EXPECT_EQ(contact(2)->get("BusinessTelephoneNumber"), Variant(""));
    EXPECT_EQ(contact(4)->get("BusinessTelephoneNumber"), Variant("555 0200"));
}

TEST_F(VCardImportTest, AContactTheUserMadeGainsTheCardsFieldsAndKeepsItsOwn) {
    auto made = saveContact("Ann", "Lee", "Ann@Example.com");
    made->put("BusinessAddressCity", "Leeds");
    made->call("Save");
    EXPECT_EQ(import("BEGIN:VCARD\nVERSION:3.0\nUID:card-ann\nFN:ann lee\n"
                     "EMAIL:ann@example.com\nTEL:555 0100\nEND:VCARD\n"),
              "0 added, 1 updated, 0 skipped\n");
    EXPECT_EQ(countIn(olFolderContacts), 1);
    EXPECT_EQ(contact(1)->get("BusinessTelephoneNumber"), Variant("555 0100"));
    EXPECT_EQ(contact(1)->get("BusinessAddressCity"), Variant("Leeds"));
    EXPECT_EQ(contact(1)->get("FullName"), Variant("Ann Lee"));
    // The contact now carries the card's UID, so a renamed card still finds it.
    EXPECT_EQ(import("BEGIN:VCARD\nVERSION:3.0\nUID:card-ann\nFN:Ann Hart\n"
                     "EMAIL:ann@example.com\nTEL:555 0100\nEND:VCARD\n"),
              "0 added, 1 updated, 0 skipped\n");
    EXPECT_EQ(countIn(olFolderContacts), 1);
    EXPECT_EQ(contact(1)->get("FullName"), Variant("Ann Hart"));
}

TEST_F(VCardImportTest, ACopyOfTheDesktopsContactIsLeftToTheDesktop) {
    const auto tags = contactOriginTags(store());
    ContactFields fields;
    fields.firstName = "Ann";
    fields.lastName = "Lee";
    fields.email = "ann@example.com";
    ContactWriter(outlook().store()).add(fields, {{tags.desktopUid, "pas-id-1"}});
    EXPECT_EQ(import("BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nEMAIL:ann@example.com\n"
                     "TEL:555 0100\nEND:VCARD\n"
                     "BEGIN:VCARD\nVERSION:3.0\nUID:pas-id-1\nFN:Ann Lee\nEND:VCARD\n"),
              "0 added, 0 updated, 2 skipped\n");
    EXPECT_EQ(countIn(olFolderContacts), 1);
    EXPECT_EQ(contact(1)->get("BusinessTelephoneNumber"), Variant(""));
}

}  // namespace
}  // namespace outlook::local::testing
