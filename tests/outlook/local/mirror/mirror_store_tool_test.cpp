#include "outlook/local/cli/store_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "outlook/local/cli/vcard_reader.h"
#include "outlook/local/mirror/calendar_writer.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"
#include "tests/parser/process.h"

namespace outlook::local::testing {
namespace {

class MirrorStoreTool : public MirrorFixture {
protected:
    struct Result {
        int code = -1;
        std::string out, err;
    };
    Result tool(std::vector<std::string> args) {
        std::ostringstream out, err;
        StoreTool t(out, err, &registry);
        Result r;
        r.code = t.run(args, outlook().store());
        r.out = out.str();
        r.err = err.str();
        return r;
    }
};

TEST_F(MirrorStoreTool, MirrorToWritesEverythingAndKeepsTheSetting) {
    appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    auto contact = createItem(olContactItem);
    contact->put("LastName", "Lee");
    contact->call("Save");
    EXPECT_EQ(tool({"mirror"}).out, "The mirror is off.\n");

    const Result on = tool({"mirror", "--to", root().string()});
    ASSERT_EQ(on.code, 0) << on.err;
    EXPECT_EQ(on.out, "Mirroring into " + root().string() + ": 2 files written\n");
    EXPECT_EQ(files().size(), 2u);
    EXPECT_EQ(tool({"mirror"}).out, "Mirror folder: " + root().string() + "\n");
    // The store goes on mirroring.
    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->call("Save");
    mirror::attachedMirror(store())->flush();
    EXPECT_EQ(files().size(), 3u);

    const Result off = tool({"mirror", "--off"});
    ASSERT_EQ(off.code, 0) << off.err;
    EXPECT_EQ(mirror::mirrorFolderSetting(registry), std::nullopt);
    EXPECT_EQ(mirror::attachedMirror(store()), nullptr);
    EXPECT_EQ(files().size(), 3u);  // left as they are

    EXPECT_EQ(tool({"mirror", "--to"}).code, 2);
    EXPECT_EQ(tool({"mirror", "--sideways"}).code, 2);
    fs::create_directories(temp.path());
    std::ofstream(temp.path() / "blocked") << "a file";
    const Result blocked = tool({"mirror", "--to", (temp.path() / "blocked").string()});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_NE(blocked.err.find("cannot write the mirror folder"), std::string::npos) << blocked.err;
    EXPECT_EQ(mirror::mirrorFolderSetting(registry), std::nullopt);
}

// A folder the mirror cannot be written into never becomes the setting: every program that
// opens the store would fail on it. The mirror set before stays.
TEST_F(MirrorStoreTool, AnUnusableFolderLeavesTheSettingAsItWas) {
    // With nothing to write, the folder itself is found wanting.
    EXPECT_EQ(tool({"mirror", "--to", "/dev/null"}).code, 1);
    EXPECT_EQ(mirror::mirrorFolderSetting(registry), std::nullopt);
    ASSERT_EQ(tool({"mirror", "--to", root().string()}).code, 0);
    EXPECT_EQ(tool({"mirror", "--to", "/dev/null"}).code, 1);
    EXPECT_EQ(mirror::mirrorFolderSetting(registry), root());
    EXPECT_EQ(mirror::attachedMirror(store())->root(), root());
}

TEST_F(MirrorStoreTool, ExportWritesOneCalendarOrOneVCardStream) {
    appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    appointment("Dinner", localDate(2026, 7, 18, 19), localDate(2026, 7, 18, 20));
    for (const char* name : {"Lee", "Stone"}) {
        auto contact = createItem(olContactItem);
        contact->put("LastName", name);
        contact->call("Save");
    }
    const Result calendar = tool({"export", "--ics", "calendar"});
    ASSERT_EQ(calendar.code, 0) << calendar.err;
    EXPECT_EQ(mirror::calendarProblems(calendar.out), std::vector<std::string>{});
    EXPECT_EQ(linesOf(calendar.out, "SUMMARY"),
              (std::vector<std::string>{"SUMMARY:Lunch", "SUMMARY:Dinner"}));

    const Result cards = tool({"export", "--vcf"});
    ASSERT_EQ(cards.code, 0) << cards.err;
    const VCardFile file = readVCards(cards.out);
    ASSERT_EQ(file.cards.size(), 2u);
    EXPECT_EQ(file.cards[1].familyName, "Stone");

    EXPECT_EQ(tool({"export", "--ics", "Nowhere"}).code, 2);
    EXPECT_EQ(tool({"export"}).code, 2);
}

// The mirror follows delete and restore as the explorer and the tool make them: the file goes
// with the item to Deleted Items and comes back, as it was, with the restore.
TEST_F(MirrorStoreTool, DeleteRemovesTheFileAndRestoreWritesItAgain) {
    startMirror();
    auto lunch = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    auto ann = createItem(olContactItem);
    ann->put("LastName", "Lee");
    ann->call("Save");
    flush();
    const fs::path event = fileOf(mirror::MirrorFolder::Calendar, lunch);
    const fs::path card = fileOf(mirror::MirrorFolder::Contacts, ann);
    ASSERT_TRUE(fs::exists(event));
    const std::string before = readText(event);

    const std::string ids[] = {lunch->get("EntryID").asString(), ann->get("EntryID").asString()};
    ASSERT_EQ(tool({"delete", ids[0], ids[1]}).code, 0);
    flush();
    EXPECT_FALSE(fs::exists(event));
    EXPECT_FALSE(fs::exists(card));

    const Result restored = tool({"restore", ids[0], ids[1]});
    ASSERT_EQ(restored.code, 0) << restored.err;
    flush();
    ASSERT_TRUE(fs::exists(event));
    EXPECT_TRUE(fs::exists(card));
    EXPECT_EQ(lineOf(readText(event), "SUMMARY"), "SUMMARY:Lunch");
    EXPECT_EQ(lineOf(readText(event), "DTSTART"), lineOf(before, "DTSTART"));
    EXPECT_EQ(lineOf(readText(event), "UID"), lineOf(before, "UID"));

    ASSERT_EQ(tool({"delete", "--permanently", ids[0]}).code, 0);
    flush();
    EXPECT_FALSE(fs::exists(event));
    EXPECT_EQ(reportsSoFar(), std::vector<std::string>{});
}

// The command-line tool is another process: it reads the setting when it opens the store and
// mirrors its own change before it ends.
TEST(MirrorStoreToolProcess, AContactAddedByTheToolIsMirrored) {
    jotwise::testing::TempFolder temp("jotwise-mirror-cli");
    const std::string environment =
        "XDG_CONFIG_HOME=" + sentex::testing::shellQuote((temp.path() / "config").string()) +
        " XDG_DATA_HOME=" + sentex::testing::shellQuote((temp.path() / "data").string()) + " ";
    const fs::path root = temp.path() / "mirror";
    const auto run = [&](const std::string& args) {
        return sentex::testing::runCommand(environment + JOTWISE_STORE_PATH + " " + args + " 2>&1");
    };
    const auto on = run("mirror --to " + sentex::testing::shellQuote(root.string()));
    ASSERT_EQ(on.exitCode, 0) << on.out;
    const auto added = run("add-contact --first Ann --last Lee --email ann@example.com");
    ASSERT_EQ(added.exitCode, 0) << added.out;
    std::string id = added.out;
    while (!id.empty() && (id.back() == '\n' || id.back() == '\r'))
        id.pop_back();
    const fs::path card = root / "contacts" / (id + "-jotwise.vcf");
    ASSERT_TRUE(fs::exists(card)) << added.out;
    const VCardFile file = readVCards(readText(card));
    ASSERT_EQ(file.cards.size(), 1u);
    EXPECT_EQ(file.cards[0].email, "ann@example.com");
}

// Another store file never touches the profile's mirror: not its items written into it, nor,
// for a backup copy of the profile's store (the same store id), the comparison taking away
// the files of items the copy lacks.
TEST(MirrorStoreToolProcess, OnlyTheProfilesStoreKeepsTheMirror) {
    jotwise::testing::TempFolder temp("jotwise-mirror-db");
    const std::string environment =
        "XDG_CONFIG_HOME=" + sentex::testing::shellQuote((temp.path() / "config").string()) +
        " XDG_DATA_HOME=" + sentex::testing::shellQuote((temp.path() / "data").string()) + " ";
    const fs::path root = temp.path() / "mirror";
    const fs::path profileStore = temp.path() / "data" / "jotwise" / "outlook.db";
    const auto run = [&](const std::string& args) {
        return sentex::testing::runCommand(environment + JOTWISE_STORE_PATH + " " + args + " 2>&1");
    };
    const auto addContact = [&](const std::string& options, const char* last) {
        const auto added = run(options + " add-contact --last " + last);
        EXPECT_EQ(added.exitCode, 0) << added.out;
        std::string id = added.out.substr(0, added.out.find('\n'));
        return root / "contacts" / (id + "-jotwise.vcf");
    };
    ASSERT_EQ(run("mirror --to " + sentex::testing::shellQuote(root.string())).exitCode, 0);
    const fs::path backup = temp.path() / "backup.db";
    fs::copy_file(profileStore, backup);
    if (fs::exists(profileStore.string() + "-wal"))
        fs::copy_file(profileStore.string() + "-wal", backup.string() + "-wal");
    const fs::path bob = addContact("", "Stone");
    ASSERT_TRUE(fs::exists(bob));

    const std::string onBackup = "--db " + sentex::testing::shellQuote(backup.string());
    EXPECT_EQ(run(onBackup + " folders").exitCode, 0);
    EXPECT_TRUE(fs::exists(bob));
    // The copy gives its next contact the id the live store gave Bob.
    EXPECT_EQ(addContact(onBackup, "Carl"), bob);
    const VCardFile bobsFile = readVCards(readText(bob));
    ASSERT_EQ(bobsFile.cards.size(), 1u);
    EXPECT_EQ(bobsFile.cards[0].familyName, "Stone");
    EXPECT_FALSE(fs::exists(addContact(
        "--db " + sentex::testing::shellQuote((temp.path() / "other.db").string()), "Dee")));
    EXPECT_EQ(run(onBackup + " mirror --to " + sentex::testing::shellQuote(root.string())).exitCode,
              2);

    // Asked for, the profile's store under another name keeps it.
    const fs::path dan = addContact(
        "--db " + sentex::testing::shellQuote(profileStore.string()) + " --with-mirror", "Dan");
    EXPECT_TRUE(fs::exists(dan));
}

}  // namespace
}  // namespace outlook::local::testing
