#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <ctime>

#include "outlook/local/store/entry_id.h"
#include "outlook/local/store/file_time.h"
#include "outlook/local/store/property_codec.h"
#include "outlook/local/store/property_value.h"
#include "outlook/local/store/store.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace mapi;

TEST(LocalStoreProperties, BagKeepsOneValuePerIdAndMatchesStringTypes) {
    PropertyBag bag;
    bag.setString(PR_SUBJECT, "first");
    bag.setLong(CHANGE_PROP_TYPE(PR_SUBJECT, PT_LONG), 7);
    EXPECT_EQ(bag.values().size(), 1u);
    EXPECT_FALSE(bag.has(PR_SUBJECT));
    EXPECT_EQ(bag.get(PR_SUBJECT), SPropValue::error(PR_SUBJECT, MAPI_E_NOT_FOUND));

    bag.setString(PR_SUBJECT, "text");
    const PropTag unicode = CHANGE_PROP_TYPE(PR_SUBJECT, PT_UNICODE);
    EXPECT_EQ(bag.get(unicode), SPropValue::string(unicode, "text"));
    EXPECT_EQ(bag.get(CHANGE_PROP_TYPE(PR_SUBJECT, PT_UNSPECIFIED)),
              SPropValue::string(PR_SUBJECT, "text"));

    bag.set({PROP_TAG(PT_NULL, 0x1234), {}});
    bag.set(SPropValue::error(PR_BODY, MAPI_E_NOT_FOUND));
    EXPECT_EQ(bag.values().size(), 1u);
}

TEST(LocalStoreProperties, BagTracksWhatASaveMustWrite) {
    PropertyBag bag;
    bag.setString(PR_SUBJECT, "a");
    bag.setString(PR_BODY, "b");
    bag.markSaved();
    EXPECT_FALSE(bag.modified());
    bag.erase(PR_BODY);
    bag.setString(PR_SUBJECT, "c");
    EXPECT_EQ(bag.changedIds(), std::set<ULONG>{PROP_ID(PR_SUBJECT)});
    EXPECT_EQ(bag.removedIds(), std::set<ULONG>{PROP_ID(PR_BODY)});
    bag.setString(PR_BODY, "back");
    EXPECT_TRUE(bag.removedIds().empty());
}

TEST(LocalStoreProperties, SnapshotEncodingRoundTripsEveryTypeAndRejectsDamage) {
    PropertyBag bag;
    bag.setString(PR_SUBJECT, std::string("with\0nul", 8));
    bag.setLong(PROP_TAG(PT_LONG, 0x6001), -5);
    bag.setBool(PROP_TAG(PT_BOOLEAN, 0x6002), true);
    bag.set({PROP_TAG(PT_DOUBLE, 0x6003), 2.5});
    bag.set({PROP_TAG(PT_APPTIME, 0x6004), -0.25});
    bag.set({PROP_TAG(PT_I8, 0x6005), std::int64_t(1) << 40});
    bag.set({PROP_TAG(PT_SYSTIME, 0x6006), FileTime{133'000'000'000'000'000}});
    bag.set(SPropValue::binary(PROP_TAG(PT_BINARY, 0x6007), {0, 1, 255}));
    const Binary bytes = encodePropertyBag(bag);
    const auto decoded = decodePropertyBag(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->all(), bag.all());

    for (std::size_t cut : {std::size_t(0), std::size_t(7), bytes.size() - 1})
        EXPECT_FALSE(decodePropertyBag(
            Binary(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut))));
    Binary longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decodePropertyBag(longer));
}

TEST(LocalStoreProperties, EntryIdsParseBackAndFitTheirTextField) {
    StoreUid uid{};
    for (std::size_t i = 0; i < uid.size(); ++i)
        uid[i] = static_cast<std::uint8_t>(i * 17);
    const EntryId id = makeEntryId(EntryKind::Message, uid, 0x0102030405060708);
    EXPECT_LE(id.size(), 48u);
    EXPECT_LE(HexFromBin(id).size(), 127u);
    const auto ref = parseEntryId(id);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->kind, EntryKind::Message);
    EXPECT_EQ(ref->store, uid);
    EXPECT_EQ(ref->row, 0x0102030405060708);

    EntryId badKind = id;
    badKind[3] = 99;
    EXPECT_FALSE(parseEntryId(badKind));
    EXPECT_FALSE(parseEntryId(EntryId(id.begin(), id.end() - 1)));
    EXPECT_FALSE(parseEntryId({}));
}

class LocalStoreStorage : public LocalStoreFixture {};

TEST_F(LocalStoreStorage, StoredValuesOfEveryTypeComeBackAfterReopening) {
    ItemRecord record;
    record.folder = store().folder(FolderKind::Inbox).id;
    record.props.setString(PR_SUBJECT, "Ünïcode ✓");
    record.props.setLong(PROP_TAG(PT_LONG, 0x6001), -5);
    record.props.setBool(PROP_TAG(PT_BOOLEAN, 0x6002), false);
    record.props.set({PROP_TAG(PT_DOUBLE, 0x6003), 1e-300});
    record.props.set({PROP_TAG(PT_APPTIME, 0x6004), 45000.75});
    record.props.set({PROP_TAG(PT_I8, 0x6005), std::int64_t(-1)});
    record.props.set({PROP_TAG(PT_SYSTIME, 0x6006), FileTime{133'000'000'000'000'001}});
    record.props.set(SPropValue::binary(PROP_TAG(PT_BINARY, 0x6007), {}));
    record.props.set(SPropValue::binary(PROP_TAG(PT_BINARY, 0x6008), {0, 0, 7}));
    store().saveItem(record);
    const PropValueArray saved = record.props.all();
    reopen();
    const auto loaded = store().loadItem(record.id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->props.all(), saved);
}

// Items read together come from one scan of their range, items far apart one at a time:
// both ways return every asked item that exists, with the wanted properties and no others.
TEST_F(LocalStoreStorage, LoadingSomePropertiesReadsJustThoseOfCloseAndDistantItems) {
    std::vector<std::int64_t> ids;
    for (int i = 0; i < 12; ++i) {
        ItemRecord record;
        record.folder = store().folder(FolderKind::Inbox).id;
        record.props.setString(PR_SUBJECT, "item " + std::to_string(i));
        record.props.setString(PR_BODY, "body " + std::to_string(i));
        record.props.setLong(PROP_TAG(PT_LONG, 0x6001), i);
        store().saveItem(record);
        ids.push_back(record.id);
    }
    const std::vector<ULONG> wanted = {PROP_ID(PR_SUBJECT), 0x6001, 0x6001, 0x7777};
    const std::int64_t missing = ids.back() + 1;
    for (const std::vector<std::int64_t>& asked :
         {std::vector<std::int64_t>(ids.begin(), ids.end()),               // close together
          std::vector<std::int64_t>{ids.front(), ids.back(), missing}}) {  // far apart
        const auto props = store().loadProps(asked, &wanted);
        ASSERT_EQ(props.size(), asked.size() - (asked.back() == missing)) << asked.size();
        for (const auto& [id, bag] : props) {
            const auto index = std::find(ids.begin(), ids.end(), id) - ids.begin();
            EXPECT_EQ(bag.string(PR_SUBJECT), "item " + std::to_string(index));
            EXPECT_EQ(bag.longValue(PROP_TAG(PT_LONG, 0x6001)), index);
            EXPECT_EQ(bag.values().size(), 2u) << id;
        }
        // Asking for no property still says which items exist.
        const std::vector<ULONG> none;
        for (const auto& [id, bag] : store().loadProps(asked, &none))
            EXPECT_TRUE(bag.empty()) << id;
        EXPECT_EQ(store().loadProps(asked, &none).size(), props.size());
    }
}

TEST_F(LocalStoreStorage, NamedPropertiesGetStableIdsFrom0x8000) {
    MAPINAMEID byNumber{PSETID_Address, MNID_ID, 0x1234, {}};
    MAPINAMEID byName{PS_PUBLIC_STRINGS, MNID_STRING, 0, "Mood"};
    const PropTag a = store().namedTag(byNumber, PT_LONG);
    const PropTag b = store().namedTag(byName, PT_STRING8);
    EXPECT_GE(PROP_ID(a), 0x8000u);
    EXPECT_GE(PROP_ID(b), 0x8000u);
    EXPECT_NE(PROP_ID(a), PROP_ID(b));
    EXPECT_EQ(PROP_TYPE(b), PT_STRING8);
    // A string name ignores the number, a numeric one the text.
    MAPINAMEID sameName{PS_PUBLIC_STRINGS, MNID_STRING, 99, "Mood"};
    EXPECT_EQ(store().namedTag(sameName, PT_STRING8), b);
    reopen();
    EXPECT_EQ(store().namedTag(byNumber, PT_LONG), a);
    const MAPINAMEID* name = store().names().nameOf(PROP_ID(b));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->name, "Mood");
}

TEST_F(LocalStoreStorage, ARolledBackTransactionLeavesNoTraceAndNoNotification) {
    ItemRecord record;
    record.folder = store().folder(FolderKind::Inbox).id;
    record.props.setString(PR_SUBJECT, "kept");
    store().saveItem(record);
    EXPECT_THROW(store().transact([&] {
        ItemRecord other;
        other.folder = record.folder;
        store().saveItem(other);
        store().namedTag({PS_PUBLIC_STRINGS, MNID_STRING, 0, "Ghost"}, PT_LONG);
        throw std::runtime_error("abandoned");
    }),
                 std::runtime_error);
    EXPECT_EQ(store().itemCount(record.folder), 1u);
    EXPECT_FALSE(store().names().find({PS_PUBLIC_STRINGS, MNID_STRING, 0, "Ghost"}));
}

class LocalStoreTime : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        saved_ = tz ? std::optional<std::string>(tz) : std::nullopt;
        ::setenv("TZ", "America/New_York", 1);
        ::tzset();
    }
    void TearDown() override {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> saved_;
};

TEST_F(LocalStoreTime, AutomationDatesAreLocalAndStoredTimesUtc) {
    // 2024-07-01 09:30 in New York (summer time) is 13:30 UTC.
    const OleDate summer{45474 + 9.5 / 24};
    const FileTime stored = fileTimeFromOleDate(summer);
    EXPECT_EQ(formatFileTime(stored), "2024-07-01 13:30:00 UTC");
    EXPECT_NEAR(oleDateFromFileTime(stored).serial, summer.serial, 1e-9);
    // 2024-01-15 09:30 is 14:30 UTC in winter.
    EXPECT_EQ(formatFileTime(fileTimeFromOleDate({45306 + 9.5 / 24})), "2024-01-15 14:30:00 UTC");
    // Before 1899-12-30 the fraction counts forward from midnight of the day.
    const OleDate before{-1.25};
    EXPECT_NEAR(oleDateFromFileTime(fileTimeFromOleDate(before)).serial, -1.25, 1e-9);
    EXPECT_EQ(formatFileTime(fileTimeFromOleDate(before)), "1899-12-29 11:00:00 UTC");
}

}  // namespace
}  // namespace outlook::local::testing
