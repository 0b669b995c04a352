#include "outlook/local/address_picker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/address_entries.h"

namespace outlook::local {
namespace {

using namespace mapi;
using namespace jotwise::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

RowSet book() {
    return {bookEntry(1, "carl Moss", "carl@example.com"),
            bookEntry(2, "Ann Lee", "ann@example.org"),
            bookEntry(3, "bob Stone", "bob@example.com"), bookEntry(4, "Dora", "")};
}

TEST(AddressPickerLayout, WellsGetDefaultTitlesAndTypesInOrder) {
    AddressPicker picker(withWells(3), book(), {});
    EXPECT_FALSE(picker.singleSelection());
    EXPECT_EQ(picker.caption(), "Select Names");
    ASSERT_EQ(picker.wellCount(), 3u);
    EXPECT_EQ(picker.wellTitle(0), "To");
    EXPECT_EQ(picker.wellTitle(1), "Cc");
    EXPECT_EQ(picker.wellTitle(2), "Bcc");
    EXPECT_EQ(picker.wellType(0), MAPI_TO);
    EXPECT_EQ(picker.wellType(1), MAPI_CC);
    EXPECT_EQ(picker.wellType(2), MAPI_BCC);

    EXPECT_EQ(AddressPicker(withWells(7), book(), {}).wellCount(), 3u);
}

TEST(AddressPickerLayout, GivenTitlesAndTypesReplaceTheDefaults) {
    ADRPARM parameters = withWells(2);
    parameters.lppszDestTitles = {"Required", "Optional"};
    parameters.lpulDestComps = {MAPI_TO, MAPI_CC};
    parameters.nDestFieldFocus = 1;
    AddressPicker picker(parameters, book(), {});
    ASSERT_EQ(picker.wellCount(), 2u);
    EXPECT_EQ(picker.wellTitle(0), "Required");
    EXPECT_EQ(picker.wellTitle(1), "Optional");
    EXPECT_EQ(picker.wellType(1), MAPI_CC);
    EXPECT_EQ(picker.focusWell(), 1u);

    // An untitled well is named after its recipient type, not its position.
    ADRPARM blind = withWells(1);
    blind.lpulDestComps = {MAPI_BCC};
    blind.nDestFieldFocus = 5;
    AddressPicker blindPicker(blind, book(), {});
    EXPECT_EQ(blindPicker.wellTitle(0), "Bcc");
    EXPECT_EQ(blindPicker.wellType(0), MAPI_BCC);
    EXPECT_EQ(blindPicker.focusWell(), 0u);
}

TEST(AddressPickerLayout, NoWellsOrAddressOneMeansSingleSelection) {
    EXPECT_TRUE(AddressPicker(withWells(0), book(), {}).singleSelection());
    ADRPARM one = withWells(2);
    one.ulFlags = ADDRESS_ONE | DIALOG_MODAL;
    AddressPicker picker(one, book(), {});
    EXPECT_TRUE(picker.singleSelection());
    EXPECT_EQ(picker.wellCount(), 0u);
}

TEST(AddressPickerEntries, AreSortedIgnoringCaseAndFilteredByNameOrAddress) {
    AddressPicker picker(withWells(1), book(), {});
    EXPECT_THAT(picker.visibleNames(), ElementsAre("Ann Lee", "bob Stone", "carl Moss", "Dora"));

    picker.setSearch("STONE");
    EXPECT_THAT(picker.visibleNames(), ElementsAre("bob Stone"));
    picker.setSearch("example.COM ");
    EXPECT_THAT(picker.visibleNames(), ElementsAre("bob Stone", "carl Moss"));
    picker.setSearch("nobody");
    EXPECT_THAT(picker.visibleNames(), IsEmpty());
    EXPECT_EQ(picker.visibleEntry(0), nullptr);
    picker.setSearch("");
    EXPECT_EQ(picker.visibleCount(), 4u);
}

TEST(AddressPickerEntries, AnEntryWithoutANameShowsItsAddress) {
    RowSet rows = {bookEntry(1, "", "zed@example.com"), bookEntry(2, "Amy", "amy@example.com")};
    AddressPicker picker(withWells(1), rows, {});
    EXPECT_THAT(picker.visibleNames(), ElementsAre("Amy", "zed@example.com"));
}

TEST(AddressPickerWells, StartWithThePreviousListByRecipientType) {
    ADRENTRY rich = recipientEntry("Cara", MAPI_CC);
    rich.rgPropVals.push_back(SPropValue::string(PR_COMMENT, "resolved earlier"));
    const ADRLIST previous = {rich, recipientEntry("Tom", MAPI_TO),
                              recipientEntry("Una", std::nullopt), recipientEntry("Bea", MAPI_BCC)};
    AddressPicker picker(withWells(2), book(), previous);
    EXPECT_THAT(picker.wellNames(0), ElementsAre("Tom", "Una"));
    EXPECT_THAT(picker.wellNames(1), ElementsAre("Cara"));

    // Nothing chosen before is lost: the Bcc entry has no well and comes back unchanged.
    const ADRLIST result = picker.confirm();
    ASSERT_EQ(result.size(), 4u);
    EXPECT_EQ(textOf(result[0].rgPropVals, PR_DISPLAY_NAME), "Tom");
    EXPECT_EQ(textOf(result[1].rgPropVals, PR_DISPLAY_NAME), "Una");
    EXPECT_EQ(recipientTypeOf(result[1]), static_cast<std::int32_t>(MAPI_TO));
    EXPECT_EQ(textOf(result[2].rgPropVals, PR_COMMENT), "resolved earlier");
    EXPECT_EQ(recipientTypeOf(result[2]), static_cast<std::int32_t>(MAPI_CC));
    EXPECT_EQ(result[2].rgPropVals.size(), 3u);
    EXPECT_EQ(result[3].rgPropVals, previous[3].rgPropVals);
}

TEST(AddressPickerWells, AddUsesVisiblePositionsAndRefusesDuplicates) {
    ADRLIST previous(1);
    previous[0].rgPropVals = bookEntry(2, "Ann Lee", "ann@example.org");
    AddressPicker picker(withWells(2), book(), previous);

    picker.setSearch("bob");
    EXPECT_TRUE(picker.addToWell(0, 0));
    EXPECT_FALSE(picker.addToWell(0, 0));
    EXPECT_TRUE(picker.addToWell(1, 0));
    EXPECT_FALSE(picker.addToWell(0, 1));
    EXPECT_FALSE(picker.addToWell(2, 0));
    picker.setSearch("ann");
    EXPECT_FALSE(picker.addToWell(0, 0));
    EXPECT_THAT(picker.wellNames(0), ElementsAre("Ann Lee", "bob Stone"));
    EXPECT_THAT(picker.wellNames(1), ElementsAre("bob Stone"));
}

TEST(AddressPickerWells, RemoveTakesOutTheGivenPosition) {
    AddressPicker picker(withWells(1), book(), {});
    for (std::size_t i = 0; i < 3; ++i)
        ASSERT_TRUE(picker.addToWell(0, i));
    EXPECT_TRUE(picker.removeFromWell(0, 1));
    EXPECT_THAT(picker.wellNames(0), ElementsAre("Ann Lee", "carl Moss"));
    EXPECT_FALSE(picker.removeFromWell(0, 2));
    EXPECT_FALSE(picker.removeFromWell(1, 0));
    EXPECT_TRUE(picker.addToWell(0, 1));  // back in after removal
}

TEST(AddressPickerConfirm, ListsEachWellsEntriesWithTheWellsType) {
    ADRPARM parameters = withWells(2);
    parameters.lpulDestComps = {MAPI_CC, MAPI_BCC};
    AddressPicker picker(parameters, book(), {});
    ASSERT_TRUE(picker.addToWell(1, 0));  // Ann
    ASSERT_TRUE(picker.addToWell(0, 3));  // Dora, who has no address
    ASSERT_TRUE(picker.canConfirm());

    const ADRLIST result = picker.confirm();
    ASSERT_EQ(result.size(), 2u);
    const PropValueArray& dora = result[0].rgPropVals;
    EXPECT_EQ(textOf(dora, PR_DISPLAY_NAME), "Dora");
    EXPECT_EQ(recipientTypeOf(result[0]), static_cast<std::int32_t>(MAPI_CC));
    EXPECT_EQ(FindProp(dora, CHANGE_PROP_TYPE(PR_EMAIL_ADDRESS, PT_ERROR)), nullptr);
    EXPECT_EQ(textOf(dora, PR_EMAIL_ADDRESS), "<none>");

    const PropValueArray& ann = result[1].rgPropVals;
    EXPECT_EQ(recipientTypeOf(result[1]), static_cast<std::int32_t>(MAPI_BCC));
    EXPECT_EQ(textOf(ann, PR_EMAIL_ADDRESS), "ann@example.org");
    EXPECT_EQ(textOf(ann, PR_ADDRTYPE), "SMTP");
    ASSERT_NE(FindProp(ann, PR_ENTRYID), nullptr);
    EXPECT_EQ(*FindProp(ann, PR_ENTRYID)->asBinary(), (Binary{0xAB, 2}));
    EXPECT_EQ(FindProp(ann, PR_INSTANCE_KEY), nullptr);
}

TEST(AddressPickerSingle, ConfirmsExactlyTheSelectedEntry) {
    AddressPicker picker(withWells(0), book(), {recipientEntry("Earlier", MAPI_TO)});
    EXPECT_FALSE(picker.canConfirm());
    EXPECT_FALSE(picker.addToWell(0, 0));
    EXPECT_FALSE(picker.select(4));

    ASSERT_TRUE(picker.select(2));  // carl Moss
    picker.setSearch("moss");       // still selected, now first
    EXPECT_EQ(picker.selectedIndex(), 0u);
    ASSERT_TRUE(picker.canConfirm());
    const ADRLIST result = picker.confirm();
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(textOf(result[0].rgPropVals, PR_EMAIL_ADDRESS), "carl@example.com");
    EXPECT_EQ(*FindProp(result[0].rgPropVals, PR_ENTRYID)->asBinary(), (Binary{0xAB, 1}));

    picker.setSearch("ann");  // hides the selection, which must not be confirmed unseen
    EXPECT_FALSE(picker.selectedIndex());
    EXPECT_FALSE(picker.canConfirm());
    picker.setSearch("");
    EXPECT_FALSE(picker.canConfirm());
}

}  // namespace
}  // namespace outlook::local
