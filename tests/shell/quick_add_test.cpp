#include "shell/quick_add.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "outlook/object_model.h"
#include "platform/utf8_text.h"
#include "tests/support/failing_dispatch.h"
#include "tests/support/recording_dispatch.h"
#include "tests/support/session_fixture.h"
#include "tests/support/store_trouble.h"

namespace shell {
namespace {

using outlook::DispatchPtr;

// `jotwise add` against a real store, run in this process.
class QuickAddTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        addContact("Ann", "Lee", "Acme", "ann@example.com");
        addContact("Bob", "Smith", "", "bob@example.com");
        setCategories("Business;Personal");
        std::filesystem::create_directory(keywordsFolder());
    }

    std::filesystem::path keywordsFolder() const { return folder.path() / "Jotwise Data"; }

    int add(std::vector<std::string> args) {
        out.str("");
        err.str("");
        Prs_ResetParseDll();
        return RunQuickAdd(
            args, {{failing, outlook->mapi(), registry}, keywordsFolder() / "keywords.jwk"}, out,
            err);
    }
    std::int32_t countIn(outlook::OlDefaultFolders number) {
        return folderItems(number)->get("Count").asInt();
    }

    outlook::testing::FailingAutomationServer failing{outlook->automation()};
    std::ostringstream out, err;
};

TEST_F(QuickAddTest, FilesTheNoteAndSaysWhatItFiled) {
    EXPECT_EQ(add({"lunch", "with", "ann", "lee", "at", "noon", "business"}), kQuickAddFiled)
        << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("filed: Appointment\n"), std::string::npos) << text;
    EXPECT_NE(text.find("subject: lunch with ann lee at noon business\n"), std::string::npos);
    EXPECT_NE(text.find("start: 12:00pm\nend: 1:00pm\n"), std::string::npos);
    EXPECT_NE(text.find("contact: Ann Lee\ncategory: Business\n"), std::string::npos);
    EXPECT_EQ(countIn(outlook::olFolderCalendar), 1);
    EXPECT_EQ(countIn(outlook::olFolderJournal), 1);

    const std::size_t id = text.find("entry id: ");
    ASSERT_NE(id, std::string::npos);
    const std::string entryId = text.substr(id + 10, text.find('\n', id) - id - 10);
    EXPECT_EQ(contactItem(entryId)->get("Subject").asString(),
              "lunch with ann lee at noon business");

    // Nothing of the tray program's state is written.
    EXPECT_FALSE(std::filesystem::exists(keywordsFolder() / "keywords.jwk"));
    EXPECT_EQ(registry.openKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise"), nullptr);
}

TEST_F(QuickAddTest, RecipientsTypesAndJson) {
    EXPECT_EQ(add({"--json", "--to", "Bob Smith", "--cc", "Ann Lee", "prepare", "the", "budget"}),
              kQuickAddFiled)
        << err.str();
    const std::string json = out.str();
    EXPECT_EQ(
        json.rfind("{\"filed\":true,\"type\":\"Task Request\",\"subject\":\"prepare the budget\"",
                   0),
        0u)
        << json;
    EXPECT_NE(json.find("\"to\":[\"Bob Smith\"],\"cc\":[\"Ann Lee\"]"), std::string::npos) << json;
    EXPECT_EQ(countIn(outlook::olFolderOutbox), 2) << "the task request and the copy mail";

    EXPECT_EQ(add({"--type", "note", "--", "--not-an-option"}), kQuickAddFiled) << err.str();
    EXPECT_EQ(countIn(outlook::olFolderNotes), 1);
    EXPECT_EQ(add({"--type", "meeting-request", "--to", "Ann Lee", "review at 3pm"}),
              kQuickAddFiled);
    EXPECT_NE(out.str().find("filed: Meeting Request\n"), std::string::npos) << out.str();
}

// A repeat is told in words and, in JSON, by the pattern's own property names; --once files
// the sentence as a single item.
TEST_F(QuickAddTest, ARepeatIsToldAndOnceFilesItOnce) {
    EXPECT_EQ(add({"--dry-run", "every other tuesday call the bank at 9am"}), kQuickAddFiled)
        << err.str();
    EXPECT_NE(out.str().find("recurs: every 2 weeks on Tuesday\n"), std::string::npos) << out.str();

    EXPECT_EQ(add({"--dry-run", "--json", "every other tuesday call the bank at 9am"}),
              kQuickAddFiled);
    const std::string json = out.str();
    EXPECT_NE(json.find("\"recurrence\":{\"RecurrenceType\":1,\"Interval\":2,"
                        "\"DayOfWeekMask\":4,\"DayOfMonth\":0,\"Instance\":0,"
                        "\"MonthOfYear\":0,\"PatternStartDate\":\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"NoEndDate\":true,\"StartTime\":\"09:00\",\"EndTime\":\"10:00\","
                        "\"Duration\":60,\"words\":\"every 2 weeks on Tuesday\"}"),
              std::string::npos)
        << json;

    EXPECT_EQ(add({"--once", "--json", "every other tuesday call the bank at 9am"}), kQuickAddFiled)
        << err.str();
    EXPECT_NE(out.str().find("\"recurrence\":null"), std::string::npos) << out.str();
    EXPECT_EQ(countIn(outlook::olFolderCalendar), 1);

    EXPECT_EQ(add({"--once", "--dry-run", "every friday water the plants"}), kQuickAddFiled);
    EXPECT_EQ(out.str().find("recurs:"), std::string::npos) << out.str();
}

// Filed, the pattern goes into the item's RecurrencePattern.
TEST_F(QuickAddTest, ARepeatingSentenceFilesItsPattern) {
    auto pattern = std::make_shared<outlook::testing::RecordingDispatch>();
    failing.answers()["GetRecurrencePattern"] = pattern;
    EXPECT_EQ(add({"the", "first", "monday", "of", "every", "month", "review", "the", "budget"}),
              kQuickAddFiled)
        << err.str();
    EXPECT_NE(out.str().find("recurs: monthly on the first Monday\n"), std::string::npos)
        << out.str();
    EXPECT_EQ(countIn(outlook::olFolderTasks), 1);
    EXPECT_EQ(pattern->properties["RecurrenceType"],
              outlook::Variant(std::int32_t{outlook::olRecursMonthNth}));
    EXPECT_EQ(pattern->properties["Instance"], outlook::Variant(std::int32_t{1}));
}

TEST_F(QuickAddTest, UnusableCommandLinesFileNothing) {
    const std::string missing = (folder.path() / "missing.txt").string();
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"  "},
                                               {"--frobnicate", "x"},
                                               {"--type", "letter", "x"},
                                               {"--type"},
                                               {"--type", "mail", "x"},
                                               {"--to", "Nobody Known", "x"},
                                               {"--attach", missing, "x"},
                                               {"--attach", folder.path().string(), "x"},
                                               {"--cc", "Ann Lee", "x"},
                                               {"--type", "note", "--to", "Ann Lee", "x"},
                                               {"x", "--frobnicate"}}) {
        EXPECT_EQ(add(args), kQuickAddRefused) << ::testing::PrintToString(args);
        EXPECT_EQ(err.str().rfind("jotwise add: ", 0), 0u) << err.str();
    }
    for (const auto number :
         {outlook::olFolderCalendar, outlook::olFolderTasks, outlook::olFolderNotes,
          outlook::olFolderJournal, outlook::olFolderSentMail, outlook::olFolderOutbox,
          outlook::olFolderInbox, outlook::olFolderDrafts, outlook::olFolderDeletedItems})
        EXPECT_EQ(countIn(number), 0) << number;
    EXPECT_EQ(countIn(outlook::olFolderContacts), 2);
    EXPECT_EQ(add({"x", "--frobnicate"}), kQuickAddRefused);
    EXPECT_NE(err.str().find("unknown option --frobnicate"), std::string::npos) << err.str();
    EXPECT_EQ(add({"--cc", "Ann Lee", "x"}), kQuickAddRefused);
    EXPECT_NE(err.str().find("--cc needs at least one --to recipient"), std::string::npos);

    EXPECT_EQ(add({"--dry-run", "call", "the", "bank", "tomorrow"}), kQuickAddFiled);
    EXPECT_EQ(out.str().rfind("would file: Task\n", 0), 0u) << out.str();
    EXPECT_EQ(countIn(outlook::olFolderTasks), 0);
}

TEST_F(QuickAddTest, AFailureIsToldAndADeclinedLinkFilesNothing) {
    failing.failing() = {"Subject"};
    EXPECT_EQ(add({"call", "the", "bank"}), kQuickAddFailed);
    EXPECT_NE(err.str().find("Unable to set the subject for an Outlook object.\n"
                             "Outlook refused 'Subject'"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(countIn(outlook::olFolderTasks), 0);

    const std::string file = (folder.path() / "plan.txt").string();
    std::ofstream(file) << "plan";
    failing.failing() = {"Attachments"};
    EXPECT_EQ(add({"--attach", file, "plan", "the", "trip"}), kQuickAddDeclined);
    EXPECT_NE(err.str().find("The attempt to add a file link"), std::string::npos);
    EXPECT_NE(err.str().find("answered No: nothing was filed."), std::string::npos);
    EXPECT_EQ(countIn(outlook::olFolderTasks), 0);

    failing.failing().clear();
    EXPECT_EQ(add({"--attach", file, "plan", "the", "trip"}), kQuickAddFiled) << err.str();
    EXPECT_EQ(countIn(outlook::olFolderTasks), 1);
}

TEST_F(QuickAddTest, RecipientsMakeABaseTypeItsRequest) {
    EXPECT_EQ(add({"--type", "task", "--to", "Ann Lee", "prepare", "the", "budget"}),
              kQuickAddFiled)
        << err.str();
    EXPECT_NE(out.str().find("filed: Task Request\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("to: Ann Lee\n"), std::string::npos) << out.str();
    EXPECT_EQ(add({"--type", "appointment", "--to", "Bob Smith", "review", "at", "3pm"}),
              kQuickAddFiled)
        << err.str();
    EXPECT_NE(out.str().find("filed: Meeting Request\n"), std::string::npos) << out.str();
    EXPECT_EQ(countIn(outlook::olFolderOutbox), 2) << "both went to their recipients";
}

TEST_F(QuickAddTest, AttachedFilesKeepTheirWholePathAndMustFitTheLimit) {
    std::ofstream(folder.path() / "plan.txt") << "plan";
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const int filed = add({"--attach", "plan.txt", "plan", "the", "trip"});
    std::filesystem::current_path(before);
    ASSERT_EQ(filed, kQuickAddFiled) << err.str();
    const DispatchPtr task = folderItems(outlook::olFolderTasks)->call("Item", {1}).asObject();
    EXPECT_EQ(task->get("Attachments").asObject()->call("Item", {1}).asObject()->get("PathName"),
              outlook::Variant((folder.path() / "plan.txt").string()));

    // A copy larger than the setting allows is refused before anything is filed.
    const std::filesystem::path big = folder.path() / "big.bin";
    std::ofstream(big).close();
    std::filesystem::resize_file(big, 2 * 1024 * 1024);
    registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Jotwise\\Attachments")
        ->setValue("MaxSizeMB", platform::RegistryValue::ofDword(1));
    EXPECT_EQ(add({"--to", "Ann Lee", "--attach", big.string(), "the", "recording"}),
              kQuickAddRefused);
    EXPECT_NE(err.str().find("is 2.0 MB, larger than the 1.0 MB"), std::string::npos) << err.str();
    EXPECT_EQ(countIn(outlook::olFolderOutbox), 0);
}

TEST_F(QuickAddTest, TextThatIsNotUtf8IsMendedAndTheJsonStaysValid) {
    EXPECT_EQ(add({"--json", "caf\xC3", "\xFF\xFE", "call"}), kQuickAddFiled) << err.str();
    EXPECT_TRUE(platform::isValidUtf8(out.str())) << out.str();
    EXPECT_NE(out.str().find("\"subject\":\"caf\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD call\""),
              std::string::npos)
        << out.str();
}

TEST_F(QuickAddTest, AStoreThatRefusesTheSaveIsToldAndNothingIsLost) {
    outlook::local::Store& store = *outlook->store();
    store.setWriteTimeout(std::chrono::milliseconds(200));
    {
        jotwise::testing::OtherWriter other(database());
        ASSERT_TRUE(other.locked());
        EXPECT_EQ(add({"call", "the", "bank"}), kQuickAddFailed);
        EXPECT_NE(err.str().find("is being changed by another program"), std::string::npos)
            << err.str();
    }
    {
        jotwise::testing::FullDisk full(store.db());
        EXPECT_EQ(add({"call", "the", "bank", std::string(20'000, 'x')}), kQuickAddFailed);
        EXPECT_NE(err.str().find("is full (database or disk is full)"), std::string::npos)
            << err.str();
    }
    EXPECT_EQ(countIn(outlook::olFolderTasks), 0);
    EXPECT_EQ(add({"call", "the", "bank"}), kQuickAddFiled) << err.str();
}

}  // namespace
}  // namespace shell
