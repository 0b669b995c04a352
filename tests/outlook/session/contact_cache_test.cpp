#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "outlook/session/contact_cache.h"
#include "outlook/session/data_store.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

namespace fs = std::filesystem;

ContactRow row(std::string key, std::string given, std::string surname, std::string company = "",
               std::optional<mapi::Binary> original = std::nullopt) {
    return ContactRow(std::move(key), std::move(given), std::move(surname), std::move(company),
                      std::move(original));
}

std::vector<std::string> fields(const std::vector<ContactRow>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows) {
        out.push_back(r.key + "|" + r.names.fileAs + "|" + r.names.givenName + "|" +
                      r.names.surname + "|" + r.names.company + "|" +
                      (r.originalEntryId ? mapi::HexFromBin(*r.originalEntryId) : "-"));
    }
    return out;
}

TEST(ContactCacheFile, KeepsEveryFieldAndRefusesAnyCutOrOtherVersion) {
    const ContactsVersion version{{1, 2, 3}, {4, 0, 5}, 133'000'000'000'000'000};
    const std::vector<ContactRow> rows = {
        row("00AB", "Ann", "Lee", "", mapi::Binary{0, 1, 0, 2}),
        row("00CD", "", "", std::string("Nul\0Co", 6)),
        row("00EF", "Bob", "Smith, Jr.\n"),
    };
    const std::string file = EncodeContactCache(version, rows);
    const auto decoded = DecodeContactCache(file, version);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(fields(*decoded), fields(rows));
    EXPECT_EQ(DecodeContactCache(EncodeContactCache(version, {}), version)->size(), 0u);

    for (std::size_t size = 0; size < file.size(); ++size)
        EXPECT_FALSE(DecodeContactCache(file.substr(0, size), version)) << size;
    EXPECT_FALSE(DecodeContactCache(file + "x", version));
    for (std::size_t at = 0; at < file.size(); at += 7) {
        std::string damaged = file;
        damaged[at] ^= 0x20;
        EXPECT_FALSE(DecodeContactCache(damaged, version)) << at;
    }
    for (auto change : std::vector<std::function<void(ContactsVersion&)>>{
             [](ContactsVersion& v) { v.store.push_back(0); },
             [](ContactsVersion& v) { v.folder[1] = 9; },
             [](ContactsVersion& v) { ++v.changed; }}) {
        ContactsVersion other = version;
        change(other);
        EXPECT_FALSE(DecodeContactCache(file, other));
    }
}

// Sessions over a real store, one per run of the program, sharing a cache file.
class ContactCacheTest : public testing::SessionTest {
protected:
    fs::path cacheFile() const { return folder.path() / "cache" / "jotwise" / "contacts.cache"; }

    // The next run of the program: a new session over an emptied keyword store.
    MessageId run() {
        InstallDataStore(nullptr);
        session.reset();
        Prs_ResetParseDll();
        session = makeSession();
        session->SetContactCacheFile(cacheFile());
        InstallDataStore(session.get());
        return session->Connect(0, progress);
    }

    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& [key, contact] : session->Contacts())
            out.insert(contact->FileAs());
        return out;
    }

    // The Contacts folder as the session sees it now.
    ContactsVersion version() {
        const auto store = outlook->store();
        const std::int64_t contacts = store->folder(local::FolderKind::Contacts).id;
        return {store->storeEntryId(), store->folderEntryId(contacts),
                store->folderChangeTime(contacts)->ticks};
    }
};

TEST_F(ContactCacheTest, ARunTakesTheContactsFromTheCacheUntilTheFolderChanges) {
    addContact("Ann", "Lee");
    addContact("Bob", "Smith");
    ASSERT_EQ(run(), 0) << session->LastError();
    EXPECT_EQ(names(), (std::set<std::string>{"Lee, Ann", "Smith, Bob"}));
    struct stat status {};
    ASSERT_EQ(::stat(cacheFile().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600);
    ASSERT_TRUE(ReadContactCache(cacheFile(), version()));

    // A cache of the unchanged folder is believed: the store is not read.
    WriteContactCache(cacheFile(), version(), {row("00AB", "Zed", "Zulu")});
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(names(), std::set<std::string>{"Zulu, Zed"});
    EXPECT_TRUE(testing::isAlias("zed zulu"));

    addContact("Cleo", "");
    ASSERT_EQ(run(), 0);
    const std::set<std::string> all = {"Lee, Ann", "Smith, Bob", "Cleo"};
    EXPECT_EQ(names(), all);
    const auto kept = ReadContactCache(cacheFile(), version());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->size(), 3u);
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(names(), all);
}

TEST_F(ContactCacheTest, WhatAnotherProgramChangedBetweenRunsIsSeen) {
    const std::string ann = addContact("Ann", "Lee");
    addContact("Bob", "Smith");
    ASSERT_EQ(run(), 0);
    {
        jotwise::testing::ManualEventLoop otherLoop;
        auto other = local::LocalOutlook::open(database(), registry, otherLoop, nullptr);
        ASSERT_NE(other, nullptr);
        const DispatchPtr names = other->automation()
                                      .createObject("Outlook.Application")
                                      ->call("GetNamespace", {"MAPI"})
                                      .asObject();
        const DispatchPtr contact = names->call("GetItemFromID", {ann}).asObject();
        contact->put("FirstName", "Anna");
        contact->call("Save");
        const DispatchPtr items =
            names->call("GetDefaultFolder", {olFolderContacts}).asObject()->get("Items").asObject();
        for (std::int32_t i = 1; i <= items->get("Count").asInt(); ++i) {
            const DispatchPtr item = items->call("Item", {i}).asObject();
            if (item->get("LastName").asString() == "Smith") item->call("Delete");
        }
    }
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(names(), std::set<std::string>{"Lee, Anna"});
}

TEST_F(ContactCacheTest, ADamagedOrForeignCacheIsPassedOverAndReplaced) {
    addContact("Ann", "Lee");
    ASSERT_EQ(run(), 0);
    const std::string good = EncodeContactCache(version(), {row("00AB", "Ann", "Lee")});
    ContactsVersion otherStore = version();
    otherStore.store.back() ^= 1;
    const std::vector<std::string> damaged = {
        "",
        "not a cache",
        good.substr(0, good.size() / 2),
        good.substr(0, good.size() - 1) + "?",
        EncodeContactCache(otherStore, {row("00AB", "Zed", "Zulu")}),
    };
    for (const auto& content : damaged) {
        std::ofstream(cacheFile(), std::ios::binary | std::ios::trunc) << content;
        ASSERT_EQ(run(), 0);
        EXPECT_EQ(names(), std::set<std::string>{"Lee, Ann"}) << content;
        EXPECT_TRUE(ReadContactCache(cacheFile(), version()));
    }
}

}  // namespace
}  // namespace outlook
