#include "outlook/local/address_picker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace outlook::local {
namespace {

using namespace mapi;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// An address book row as the store's table gives it; an empty address comes as an error.
Row bookEntry(std::uint8_t id, const std::string& name, const std::string& email) {
    return {SPropValue::binary(PR_ENTRYID, {0xAB, id}),
            SPropValue::binary(PR_INSTANCE_KEY, {id}),
            SPropValue::string(PR_DISPLAY_NAME, name),
            SPropValue::string(PR_ADDRTYPE, "SMTP"),
            email.empty() ? SPropValue::error(PR_EMAIL_ADDRESS, MAPI_E_NOT_FOUND)
                          : SPropValue::string(PR_EMAIL_ADDRESS, email),
            SPropValue::integer(PR_OBJECT_TYPE, MAPI_MAILUSER),
            SPropValue::integer(PR_DISPLAY_TYPE, 0)};
}

RowSet book() {
    return {bookEntry(1, "carl Moss", "carl@example.com"),
            bookEntry(2, "Ann Lee", "ann@example.org"),
            bookEntry(3, "bob Stone", "bob@example.com"), bookEntry(4, "Dora", "")};
}

ADRPARM wells(ULONG count) {
    ADRPARM parameters;
    parameters.lpszCaption = "Select Names";
    parameters.cDestFields = count;
    return parameters;
}

ADRENTRY recipient(const std::string& name, std::optional<std::int32_t> type) {
    ADRENTRY entry;
    entry.rgPropVals = {SPropValue::string(PR_DISPLAY_NAME, name)};
    if (type) entry.rgPropVals.push_back(SPropValue::integer(PR_RECIPIENT_TYPE, *type));
    return entry;
}

std::string text(const PropValueArray& props, PropTag tag) {
    const SPropValue* value = FindProp(props, tag);
    return value && value->asString8() ? *value->asString8() : "<none>";
}

std::int32_t type(const ADRENTRY& entry) {
    const SPropValue* value = FindProp(entry.rgPropVals, PR_RECIPIENT_TYPE);
    return value && value->asLong() ? *value->asLong() : -1;
}

TEST(AddressPickerLayout, WellsGetDefaultTitlesAndTypesInOrder) {
    AddressPicker picker(wells(3), book(), {});
    EXPECT_FALSE(picker.singleSelection());
    EXPECT_EQ(picker.caption(), "Select Names");
    ASSERT_EQ(picker.wellCount(), 3u);
    EXPECT_EQ(picker.wellTitle(0), "To");
    EXPECT_EQ(picker.wellTitle(1), "Cc");
    EXPECT_EQ(picker.wellTitle(2), "Bcc");
    EXPECT_EQ(picker.wellType(0), MAPI_TO);
    EXPECT_EQ(picker.wellType(1), MAPI_CC);
    EXPECT_EQ(picker.wellType(2), MAPI_BCC);

    EXPECT_EQ(AddressPicker(wells(7), book(), {}).wellCount(), 3u);
}

TEST(AddressPickerLayout, GivenTitlesAndTypesReplaceTheDefaults) {
    ADRPARM parameters = wells(2);
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
    ADRPARM blind = wells(1);
    blind.lpulDestComps = {MAPI_BCC};
    blind.nDestFieldFocus = 5;
    AddressPicker blindPicker(blind, book(), {});
    EXPECT_EQ(blindPicker.wellTitle(0), "Bcc");
    EXPECT_EQ(blindPicker.wellType(0), MAPI_BCC);
    EXPECT_EQ(blindPicker.focusWell(), 0u);
}

TEST(AddressPickerLayout, NoWellsOrAddressOneMeansSingleSelection) {
    EXPECT_TRUE(AddressPicker(wells(0), book(), {}).singleSelection());
    ADRPARM one = wells(2);
    one.ulFlags = ADDRESS_ONE | DIALOG_MODAL;
    AddressPicker picker(one, book(), {});
    EXPECT_TRUE(picker.singleSelection());
    EXPECT_EQ(picker.wellCount(), 0u);
}

TEST(AddressPickerEntries, AreSortedIgnoringCaseAndFilteredByNameOrAddress) {
    AddressPicker picker(wells(1), book(), {});
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
    AddressPicker picker(wells(1), rows, {});
    EXPECT_THAT(picker.visibleNames(), ElementsAre("Amy", "zed@example.com"));
}

TEST(AddressPickerWells, StartWithThePreviousListByRecipientType) {
    ADRENTRY rich = recipient("Cara", MAPI_CC);
    rich.rgPropVals.push_back(SPropValue::string(PR_COMMENT, "resolved earlier"));
    const ADRLIST previous = {rich, recipient("Tom", MAPI_TO), recipient("Una", std::nullopt),
                              recipient("Bea", MAPI_BCC)};
    AddressPicker picker(wells(2), book(), previous);
    EXPECT_THAT(picker.wellNames(0), ElementsAre("Tom", "Una"));
    EXPECT_THAT(picker.wellNames(1), ElementsAre("Cara"));

    // Nothing chosen before is lost: the Bcc entry has no well and comes back unchanged.
    const ADRLIST result = picker.confirm();
    ASSERT_EQ(result.size(), 4u);
    EXPECT_EQ(text(result[0].rgPropVals, PR_DISPLAY_NAME), "Tom");
    EXPECT_EQ(text(result[1].rgPropVals, PR_DISPLAY_NAME), "Una");
    EXPECT_EQ(type(result[1]), static_cast<std::int32_t>(MAPI_TO));
    EXPECT_EQ(text(result[2].rgPropVals, PR_COMMENT), "resolved earlier");
    EXPECT_EQ(type(result[2]), static_cast<std::int32_t>(MAPI_CC));
    EXPECT_EQ(result[2].rgPropVals.size(), 3u);
    EXPECT_EQ(result[3].rgPropVals, previous[3].rgPropVals);
}

TEST(AddressPickerWells, AddUsesVisiblePositionsAndRefusesDuplicates) {
    ADRLIST previous(1);
    previous[0].rgPropVals = bookEntry(2, "Ann Lee", "ann@example.org");
    AddressPicker picker(wells(2), book(), previous);

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
    AddressPicker picker(wells(1), book(), {});
    for (std::size_t i = 0; i < 3; ++i)
        ASSERT_TRUE(picker.addToWell(0, i));
    EXPECT_TRUE(picker.removeFromWell(0, 1));
    EXPECT_THAT(picker.wellNames(0), ElementsAre("Ann Lee", "carl Moss"));
    EXPECT_FALSE(picker.removeFromWell(0, 2));
    EXPECT_FALSE(picker.removeFromWell(1, 0));
    EXPECT_TRUE(picker.addToWell(0, 1));  // back in after removal
}

TEST(AddressPickerConfirm, ListsEachWellsEntriesWithTheWellsType) {
    ADRPARM parameters = wells(2);
    parameters.lpulDestComps = {MAPI_CC, MAPI_BCC};
    AddressPicker picker(parameters, book(), {});
    ASSERT_TRUE(picker.addToWell(1, 0));  // Ann
    ASSERT_TRUE(picker.addToWell(0, 3));  // Dora, who has no address
    ASSERT_TRUE(picker.canConfirm());

    const ADRLIST result = picker.confirm();
    ASSERT_EQ(result.size(), 2u);
    const PropValueArray& dora = result[0].rgPropVals;
    EXPECT_EQ(text(dora, PR_DISPLAY_NAME), "Dora");
    EXPECT_EQ(type(result[0]), static_cast<std::int32_t>(MAPI_CC));
    EXPECT_EQ(FindProp(dora, CHANGE_PROP_TYPE(PR_EMAIL_ADDRESS, PT_ERROR)), nullptr);
    EXPECT_EQ(text(dora, PR_EMAIL_ADDRESS), "<none>");

    const PropValueArray& ann = result[1].rgPropVals;
    EXPECT_EQ(type(result[1]), static_cast<std::int32_t>(MAPI_BCC));
    EXPECT_EQ(text(ann, PR_EMAIL_ADDRESS), "ann@example.org");
    EXPECT_EQ(text(ann, PR_ADDRTYPE), "SMTP");
    ASSERT_NE(FindProp(ann, PR_ENTRYID), nullptr);
    EXPECT_EQ(*FindProp(ann, PR_ENTRYID)->asBinary(), (Binary{0xAB, 2}));
    EXPECT_EQ(FindProp(ann, PR_INSTANCE_KEY), nullptr);
}

TEST(AddressPickerSingle, ConfirmsExactlyTheSelectedEntry) {
    AddressPicker picker(wells(0), book(), {recipient("Earlier", MAPI_TO)});
    EXPECT_FALSE(picker.canConfirm());
    EXPECT_FALSE(picker.addToWell(0, 0));
    EXPECT_FALSE(picker.select(4));

    ASSERT_TRUE(picker.select(2));  // carl Moss
    picker.setSearch("moss");       // still selected, now first
    EXPECT_EQ(picker.selectedIndex(), 0u);
    ASSERT_TRUE(picker.canConfirm());
    const ADRLIST result = picker.confirm();
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(text(result[0].rgPropVals, PR_EMAIL_ADDRESS), "carl@example.com");
    EXPECT_EQ(*FindProp(result[0].rgPropVals, PR_ENTRYID)->asBinary(), (Binary{0xAB, 1}));

    picker.setSearch("ann");  // hides the selection, which must not be confirmed unseen
    EXPECT_FALSE(picker.selectedIndex());
    EXPECT_FALSE(picker.canConfirm());
    picker.setSearch("");
    EXPECT_FALSE(picker.canConfirm());
}

}  // namespace
}  // namespace outlook::local
