#include "outlook/local/mirror/mirror.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "outlook/local/mirror/calendar_writer.h"
#include "platform/utf8_text.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"

namespace outlook::local::testing {
namespace {

using mirror::MirrorFolder;

class MirrorFiles : public MirrorFixture {
protected:
    // Name, inode, modification time and content of every file: what a reader can tell apart.
    std::map<std::string, std::string> snapshot() {
        std::map<std::string, std::string> out;
        for (const auto& name : files()) {
            struct stat status {};
            ::stat((root() / name).c_str(), &status);
            std::ostringstream state;
            state << status.st_ino << ' ' << status.st_mtim.tv_sec << '.' << status.st_mtim.tv_nsec
                  << ' ' << readText(root() / name);
            out[name] = state.str();
        }
        return out;
    }
};

TEST_F(MirrorFiles, SavesWriteFilesAndDeletesRemoveThem) {
    startMirror();
    auto item = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    flush();
    const fs::path file = fileOf(MirrorFolder::Calendar, item);
    EXPECT_EQ(files(), std::vector<std::string>{"calendar/" + file.filename().string()});
    EXPECT_EQ(lineOf(readText(file), "SUMMARY"), "SUMMARY:Lunch");
    EXPECT_EQ(mirror::calendarProblems(readText(file)), std::vector<std::string>{});
    // Private, as the store is.
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    item->put("Subject", "Lunch with Ann");
    item->call("Save");
    flush();
    EXPECT_EQ(lineOf(readText(file), "SUMMARY"), "SUMMARY:Lunch with Ann");

    // Deleting moves it to Deleted Items, which is not mirrored; deleting it there too
    // removes it from the store.
    item->call("Delete", {});
    flush();
    EXPECT_FALSE(fs::exists(file));
    auto second = appointment("Dinner", localDate(2026, 7, 18, 19), localDate(2026, 7, 18, 20));
    flush();
    ASSERT_TRUE(fs::exists(fileOf(MirrorFolder::Calendar, second)));
    const auto ref = store().parse(*mapi::FBinFromHex(second->get("EntryID").asString()));
    store().deleteItem(ref->row);
    flush();
    EXPECT_EQ(files(), std::vector<std::string>{});
    EXPECT_EQ(reportsSoFar(), std::vector<std::string>{});
}

TEST_F(MirrorFiles, EachKindLandsInItsFolder) {
    startMirror();
    auto meeting = appointment("Review", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    auto ann = createItem(olContactItem);
    ann->put("FirstName", "Ann");
    ann->put("LastName", "Lee");
    ann->put("Email1Address", "ann@example.com");
    ann->call("Save");
    meeting->get("Recipients").asObject()->call("Add", {"Ann Lee"});
    meeting->call("Send", {});
    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->call("Save");
    auto journal = createItem(olJournalItem);
    journal->put("Subject", "Call");
    journal->call("Save");
    auto note = createItem(olNoteItem);
    note->put("Body", "Milk");
    note->call("Save");
    auto mail = createItem(olMailItem);
    mail->put("Subject", "Hello");
    mail->call("Save");
    flush();
    // The meeting request sent from the appointment is not a second event.
    EXPECT_EQ(files(),
              (std::vector<std::string>{
                  "calendar/" + fileOf(MirrorFolder::Calendar, meeting).filename().string(),
                  "contacts/" + fileOf(MirrorFolder::Contacts, ann).filename().string(),
                  "journal/" + fileOf(MirrorFolder::Journal, journal).filename().string(),
                  "journal/" + fileOf(MirrorFolder::Journal, note).filename().string(),
                  "tasks/" + fileOf(MirrorFolder::Tasks, task).filename().string()}));
    EXPECT_EQ(lineOf(textOf(MirrorFolder::Calendar, meeting), "ATTENDEE"),
              "ATTENDEE;CN=Ann Lee;ROLE=REQ-PARTICIPANT:mailto:ann@example.com");
}

TEST_F(MirrorFiles, OneChangeRewritesOnlyItsOwnFile) {
    startMirror();
    std::vector<DispatchPtr> items;
    for (int i = 0; i < 12; ++i)
        items.push_back(appointment(("Meeting " + std::to_string(i)).c_str(),
                                    localDate(2026, 7, 1 + i, 9), localDate(2026, 7, 1 + i, 10)));
    flush();
    const auto before = snapshot();
    ASSERT_EQ(before.size(), 12u);
    const auto writtenBefore = activeMirror().totals().written;

    items[5]->put("Subject", "Moved meeting");
    items[5]->call("Save");
    flush();
    const auto after = snapshot();
    ASSERT_EQ(after.size(), 12u);
    std::vector<std::string> changed;
    for (const auto& [name, state] : after)
        if (before.at(name) != state) changed.push_back(name);
    EXPECT_EQ(changed,
              std::vector<std::string>{
                  "calendar/" + fileOf(MirrorFolder::Calendar, items[5]).filename().string()});
    EXPECT_EQ(activeMirror().totals().written, writtenBefore + 1);
}

TEST_F(MirrorFiles, AnotherProcesssChangesReachTheMirrorThroughThePoll) {
    startMirror();
    auto mine = appointment("Mine", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    flush();
    const auto untouched = snapshot();

    // A second connection with a loop of its own stands in for `jotwise add` in another
    // process; its registry does not switch a mirror on.
    jotwise::testing::ManualEventLoop otherLoop;
    MemoryRegistry otherRegistry;
    std::string error;
    auto other = LocalOutlook::open(dbPath(), otherRegistry, otherLoop, &error);
    ASSERT_TRUE(other) << error;
    auto app = other->automation().createObject("Outlook.Application");
    auto theirs = app->call("CreateItem", {olTaskItem}).asObject();
    theirs->put("Subject", "Filed elsewhere");
    theirs->put("DueDate", localDate(2026, 12, 8));
    theirs->call("Save");
    auto ns = app->call("GetNamespace", {"MAPI"}).asObject();
    ns->call("GetItemFromID", {mine->get("EntryID")}).asObject()->call("Delete", {});

    // The poll notices within its interval; the mirror then compares and catches up.
    loop.advance(std::chrono::milliseconds(600));
    flush();
    EXPECT_FALSE(fs::exists(fileOf(MirrorFolder::Calendar, mine)));
    const fs::path task = root() / "tasks" / (theirs->get("EntryID").asString() + "-jotwise.ics");
    ASSERT_TRUE(fs::exists(task));
    EXPECT_EQ(lineOf(readText(task), "DUE"), "DUE;VALUE=DATE:20261208");
    EXPECT_EQ(untouched.size(), 1u);
}

TEST_F(MirrorFiles, StartingCatchesUpAndLeavesOtherFilesAlone) {
    auto kept = appointment("Kept", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    auto changed = appointment("Changed", localDate(2026, 7, 19, 9), localDate(2026, 7, 19, 10));
    startMirror();
    flush();
    EXPECT_EQ(activeMirror().totals().written, 2u);

    // While no mirror runs: one item changes, one file is left from an item that is gone,
    // and other programs' files sit beside ours.
    store().setChangeObserver(nullptr);
    changed->put("Subject", "Changed while off");
    changed->call("Save");
    const auto stale = root() / "calendar" / (mirror::uidOf(store().itemEntryId(999)) + ".ics");
    std::ofstream(stale) << "old";
    const auto otherStore = root() / "calendar" /
                            "004A57030102030405060708090A0B0C0D0E0F100000000000000001-jotwise.ics";
    std::ofstream(otherStore) << "another store's";
    std::ofstream(root() / "calendar" / "holiday.ics") << "someone else's";

    startMirror();
    flush();
    // Only the changed item is written again; the unchanged one is recognised by its time.
    EXPECT_EQ(activeMirror().totals().written, 1u);
    EXPECT_EQ(activeMirror().totals().removed, 1u);
    EXPECT_EQ(lineOf(textOf(MirrorFolder::Calendar, changed), "SUMMARY"),
              "SUMMARY:Changed while off");
    EXPECT_EQ(lineOf(textOf(MirrorFolder::Calendar, kept), "SUMMARY"), "SUMMARY:Kept");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(otherStore));
    EXPECT_TRUE(fs::exists(root() / "calendar" / "holiday.ics"));

    // A file someone else rewrote is written again from the store.
    std::ofstream(fileOf(MirrorFolder::Calendar, kept)) << "edited";
    EXPECT_EQ(activeMirror().rewriteAll().written, 2u);
    EXPECT_EQ(lineOf(textOf(MirrorFolder::Calendar, kept), "SUMMARY"), "SUMMARY:Kept");
}

TEST_F(MirrorFiles, AnUnwritableFolderIsReportedOnceAndTriedAgain) {
    // A file where the folder should be cannot be written into, whoever runs the test.
    fs::create_directories(root().parent_path());
    std::ofstream(root()) << "in the way";
    startMirror();
    DispatchPtr first, second;
    EXPECT_NO_THROW({
        first = appointment("First", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
        second = appointment("Second", localDate(2026, 7, 19, 9), localDate(2026, 7, 19, 10));
    });
    flush();
    EXPECT_EQ(second->get("Saved"), Variant(true));
    const auto reports = reportsSoFar();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(root().string()), std::string::npos) << reports[0];
    EXPECT_GE(activeMirror().totals().failed, 2u);

    // Once the folder can be written, the next change brings the earlier ones along.
    fs::remove(root());
    auto third = appointment("Third", localDate(2026, 7, 20, 9), localDate(2026, 7, 20, 10));
    flush();
    EXPECT_EQ(files().size(), 3u);
    EXPECT_TRUE(fs::exists(fileOf(MirrorFolder::Calendar, first)));
    EXPECT_EQ(reportsSoFar().size(), 1u);

    // Trouble again after things went well is reported again.
    fs::remove_all(root());
    std::ofstream(root()) << "in the way";
    third->put("Subject", "Third again");
    third->call("Save");
    flush();
    EXPECT_EQ(reportsSoFar().size(), 2u);
}

TEST_F(MirrorFiles, WithNothingHappeningFailedFilesAreTriedAgainLater) {
    fs::create_directories(root().parent_path());
    std::ofstream(root()) << "in the way";
    mirror::Mirror::Options options;
    options.root = root();
    options.report = nullptr;
    options.retryInterval = std::chrono::milliseconds(20);
    auto active = mirror::attachMirror(store(), options);
    auto item = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    active->flush();
    EXPECT_FALSE(fs::exists(fileOf(MirrorFolder::Calendar, item)));
    fs::remove(root());
    // No change follows: only the retry can write it. Waits for it, without timing it.
    for (int i = 0; i < 1000 && !fs::exists(fileOf(MirrorFolder::Calendar, item)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(fs::exists(fileOf(MirrorFolder::Calendar, item)));
}

TEST_F(MirrorFiles, TheSettingStartsTheMirrorWhenTheStoreOpens) {
    store();
    EXPECT_EQ(mirror::attachedMirror(store()), nullptr);
    ASSERT_TRUE(mirror::setMirrorFolderSetting(registry, root()));
    EXPECT_EQ(registry.value(mirror::kMirrorKey, mirror::kMirrorFolderValue)->text,
              root().string());
    reopen();
    const auto active = mirror::attachedMirror(store());
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->root(), root());
    auto item = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    active->flush();
    EXPECT_TRUE(fs::exists(fileOf(MirrorFolder::Calendar, item)));

    ASSERT_TRUE(mirror::setMirrorFolderSetting(registry, std::nullopt));
    reopen();
    EXPECT_EQ(mirror::attachedMirror(store()), nullptr);
    // An empty value is off too; a relative one is under the home folder.
    registry.createKey(platform::RegistryRoot::CurrentUser, mirror::kMirrorKey)
        ->setValue(mirror::kMirrorFolderValue, platform::RegistryValue::ofString(" "));
    EXPECT_EQ(mirror::mirrorFolderSetting(registry), std::nullopt);
    registry.createKey(platform::RegistryRoot::CurrentUser, mirror::kMirrorKey)
        ->setValue(mirror::kMirrorFolderValue, platform::RegistryValue::ofString("vdir"));
    EXPECT_EQ(mirror::mirrorFolderSetting(registry), fs::path(::getenv("HOME")) / "vdir");
}

// A running program hears of `jotwise-store mirror --to` and `--off` through its poll.
TEST_F(MirrorFiles, TheOpenStoreFollowsTheSettingAtEachPoll) {
    const auto poll = [&] { loop.advance(std::chrono::milliseconds(600)); };
    store();
    ASSERT_TRUE(mirror::setMirrorFolderSetting(registry, root()));
    poll();
    const auto started = mirror::attachedMirror(store());
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(started->root(), root());
    poll();
    // The same mirror goes on: a setting that stays as it is starts nothing again.
    EXPECT_EQ(mirror::attachedMirror(store()), started);
    auto lunch = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    started->flush();
    EXPECT_TRUE(fs::exists(fileOf(MirrorFolder::Calendar, lunch)));

    const fs::path elsewhere = temp.path() / "elsewhere";
    ASSERT_TRUE(mirror::setMirrorFolderSetting(registry, elsewhere));
    poll();
    const auto moved = mirror::attachedMirror(store());
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->root(), elsewhere);
    moved->flush();
    EXPECT_TRUE(
        fs::exists(elsewhere / "calendar" / fileOf(MirrorFolder::Calendar, lunch).filename()));

    ASSERT_TRUE(mirror::setMirrorFolderSetting(registry, std::nullopt));
    poll();
    EXPECT_EQ(mirror::attachedMirror(store()), nullptr);
}

TEST_F(MirrorFiles, TheComparisonRemovesTemporaryFilesThatWritersLeft) {
    auto item = appointment("Lunch", localDate(2026, 7, 18, 12), localDate(2026, 7, 18, 13));
    const fs::path calendar = root() / "calendar";
    fs::create_directories(calendar);
    const std::string name = fileOf(MirrorFolder::Calendar, item).filename().string();
    const fs::path ours = calendar / ("." + name + ".tmp-a1B2c3");
    const fs::path otherStores =
        calendar /
        ".004A57030102030405060708090A0B0C0D0E0F100000000000000001-jotwise.ics.tmp-a1B2c3";
    const fs::path someoneElses = calendar / ".holiday.ics.tmp-a1B2c3";
    for (const fs::path& file : {ours, otherStores, someoneElses})
        std::ofstream(file) << "half written";

    // A temporary file of a moment ago may belong to a write going on in another process.
    startMirror();
    flush();
    EXPECT_TRUE(fs::exists(ours));
    activeMirror().detach();

    mirror::Mirror::Options options;
    options.abandonedTemporaryAge = std::chrono::seconds(0);
    startMirror(options);
    flush();
    EXPECT_FALSE(fs::exists(ours));
    EXPECT_TRUE(fs::exists(otherStores));
    EXPECT_TRUE(fs::exists(someoneElses));
    EXPECT_TRUE(fs::exists(calendar / name));
    EXPECT_EQ(reportsSoFar(), std::vector<std::string>{});
}

TEST_F(MirrorFiles, FilesAreUtf8WithoutControlCharacters) {
    startMirror();
    // Latin-1 bytes, a stray continuation byte and terminal escapes, as older stores may hold.
    auto item = appointment("Caf\xE9 \x01meeting\x1B[0m", localDate(2026, 7, 18, 12),
                            localDate(2026, 7, 18, 13));
    item->put("Body", "Line one\r\nLine\x80two\x07");
    item->put("Location", "Room\xC2\x85 5");
    // Without a reminder, whose alarm has a description of its own.
    item->put("ReminderSet", false);
    item->call("Save");
    auto contact = createItem(olContactItem);
    contact->put("FirstName", "J\xFCrgen\x02");
    contact->put("LastName", "M\xC3\xBCller");
    contact->put("Body", "Bell\x07");
    contact->call("Save");
    flush();

    const std::string event = textOf(MirrorFolder::Calendar, item);
    EXPECT_TRUE(platform::isValidUtf8(event)) << event;
    EXPECT_EQ(lineOf(event, "SUMMARY"), "SUMMARY:Caf\xEF\xBF\xBD meeting[0m");
    EXPECT_EQ(lineOf(event, "DESCRIPTION"), "DESCRIPTION:Line one\\nLine\xEF\xBF\xBDtwo");
    EXPECT_EQ(lineOf(event, "LOCATION"), "LOCATION:Room 5");
    EXPECT_EQ(mirror::calendarProblems(event), std::vector<std::string>{});

    const std::string card = textOf(MirrorFolder::Contacts, contact);
    EXPECT_TRUE(platform::isValidUtf8(card)) << card;
    EXPECT_EQ(lineOf(card, "N"), "N:M\xC3\xBCller;J\xEF\xBF\xBDrgen;;;");
    EXPECT_EQ(lineOf(card, "NOTE"), "NOTE:Bell");
}

}  // namespace
}  // namespace outlook::local::testing
