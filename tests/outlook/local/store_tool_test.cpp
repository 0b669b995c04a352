#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "outlook/local/cli/store_tool.h"
#include "outlook/local/store/store.h"
#include "outlook/ole_date.h"
#include "tests/parser/process.h"
#include "tests/support/mapi_fixture.h"

namespace outlook::local::testing {
namespace {

using sentex::testing::runCommand;
using sentex::testing::shellQuote;

class LocalStoreTool : public MapiFixture {
protected:
    struct Result {
        int code = -1;
        std::string out, err;
    };
    // Runs the tool in this process on the fixture's open store.
    Result tool(std::vector<std::string> args) {
        std::ostringstream out, err;
        StoreTool t(out, err);
        Result r;
        r.code = t.run(args, outlook().store());
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
    fs::path writeFile(const char* name, const std::string& text) {
        const fs::path path = temp.path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(LocalStoreTool, AddsAndListsContactsMailUsersAndLists) {
    const Result contact = tool({"add-contact", "--first", "Ann", "--last", "Lee", "--company",
                                 "Acme", "--email", "ann@example.com", "--city", "Leeds"});
    ASSERT_EQ(contact.code, 0) << contact.err;
    const std::string contactId = lines(contact.out).at(0);
    auto item = mapiNamespace()->call("GetItemFromID", {contactId}).asObject();
    EXPECT_EQ(item->get("FileAs"), Variant("Lee, Ann"));
    EXPECT_EQ(item->get("BusinessAddressCity"), Variant("Leeds"));

    const Result user = tool({"add-mailuser", "--name", "Bob Stone", "--email", "bob@example.com",
                              "--comment", "supplier"});
    ASSERT_EQ(user.code, 0) << user.err;
    const Result list = tool({"add-distlist", "--name", "Team", "--member", "ann@example.com",
                              "--member", lines(user.out).at(0)});
    ASSERT_EQ(list.code, 0) << list.err;
    const Result shown = tool({"show", lines(list.out).at(0)});
    EXPECT_NE(shown.out.find("Member: "), std::string::npos);
    EXPECT_NE(shown.out.find("Ann Lee (E-mail)"), std::string::npos);
    EXPECT_NE(shown.out.find("Bob Stone"), std::string::npos);
    EXPECT_EQ(tool({"add-distlist", "--name", "X", "--member", "who@nowhere.example"}).code, 1);

    const auto folderLines = lines(tool({"folders"}).out);
    EXPECT_EQ(folderLines.size(), store().folders().size());
    EXPECT_NE(std::find_if(folderLines.begin(), folderLines.end(),
                           [](const std::string& l) {
                               return l.find("\t1\tContacts") != std::string::npos;
                           }),
              folderLines.end());
    const auto itemLines = lines(tool({"items", "contacts"}).out);
    ASSERT_EQ(itemLines.size(), 1u);
    EXPECT_EQ(itemLines[0], contactId + "\tIPM.Contact\tAnn Lee\tann@example.com");
}

TEST_F(LocalStoreTool, ShowListsEveryPropertyWithNamedOnesNamed) {
    auto appointment = createItem(olAppointmentItem);
    appointment->put("Subject", "Lunch");
    appointment->put("Start", OleDate{45500.5});
    appointment->get("Recipients").asObject()->call("Add", {"someone@example.com"});
    appointment->call("Save");
    const Result shown = tool({"show", appointment->get("EntryID").asString()});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("0x0037001E  PT_STRING8  PR_SUBJECT  Lunch"), std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("{00062002-0000-0000-C000-000000000046}:0x820D (Start)"),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("Recipient: To someone@example.com (unresolved)"), std::string::npos);
    EXPECT_EQ(tool({"show", mapi::HexFromBin(store().itemEntryId(999))}).code, 1);
}

TEST_F(LocalStoreTool, ShowSaysARepeatInWords) {
    auto call = createItem(olAppointmentItem);
    call->put("Subject", "Call the bank");
    call->put("Start", OleDate{46448.375});  // Tuesday 2 March 2027, 9:00
    call->call("GetRecurrencePattern").asObject()->put("Interval", 2);
    call->call("Save");
    const Result shown = tool({"show", call->get("EntryID").asString()});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("\nRepeats: every 2 weeks on Tuesday\n"), std::string::npos)
        << shown.out;

    auto lunch = createItem(olAppointmentItem);
    lunch->put("Subject", "Lunch");
    lunch->call("Save");
    EXPECT_EQ(tool({"show", lunch->get("EntryID").asString()}).out.find("Repeats"),
              std::string::npos);
}

TEST_F(LocalStoreTool, ImportsTheGoodCardsOfAFileInOneTransaction) {
    const fs::path file =
        writeFile("cards.vcf",
                  "BEGIN:VCARD\nVERSION:3.0\nN:Lee;Ann\nEMAIL:ann@example.com\nADR;TYPE=WORK:;;1 "
                  "Quay;Hull;;;UK\n"
                  "END:VCARD\nBEGIN:VCARD\nVERSION:9\nN:Bad;Card\nEND:VCARD\n"
                  "BEGIN:VCARD\nVERSION:2.1\nFN:Bob Stone\nORG:Quarry\nTEL;WORK:555 0100\n"
                  "END:VCARD\n");
    auto sink = makeCom<RecordingSink>();
    auto table = contentsOf(FolderKind::Contacts);
    mapi::ULONG_PTR connection = 0;
    ASSERT_EQ(table->Advise(mapi::fnevTableModified, sink.get(), connection), mapi::S_OK);
    const Result imported = tool({"import-vcard", file.string()});
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(imported.out, "2 added, 0 updated, 1 skipped\n");
    EXPECT_NE(imported.err.find("cards.vcf:7: card 2 skipped: unsupported vCard version '9'"),
              std::string::npos)
        << imported.err;
    loop.runPending();
    ASSERT_EQ(sink->batches.size(), 1u);  // one transaction, one batch
    EXPECT_EQ(sink->batches[0].size(), 2u);

    auto bob =
        defaultFolder(olFolderContacts)->get("Items").asObject()->call("Item", {2}).asObject();
    EXPECT_EQ(bob->get("FirstName"), Variant("Bob"));
    EXPECT_EQ(bob->get("LastName"), Variant("Stone"));
    EXPECT_EQ(bob->get("CompanyName"), Variant("Quarry"));
    EXPECT_EQ(bob->get("BusinessTelephoneNumber"), Variant("555 0100"));
    auto ann =
        defaultFolder(olFolderContacts)->get("Items").asObject()->call("Item", {1}).asObject();
    EXPECT_EQ(ann->get("BusinessAddressCity"), Variant("Hull"));
    EXPECT_EQ(ann->get("Email1Address"), Variant("ann@example.com"));

    EXPECT_EQ(tool({"import-vcard", writeFile("none.vcf", "hello\n").string()}).code, 1);
    EXPECT_EQ(tool({"import-vcard", (temp.path() / "missing.vcf").string()}).code, 1);
}

// A FIFO would keep the import waiting, a device such as /dev/zero would fill the memory.
TEST_F(LocalStoreTool, ImportReadsOnlyRegularFilesOfAtMost64MB) {
    const fs::path fifo = temp.path() / "cards.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path huge = temp.path() / "huge.vcf";
    std::ofstream(huge) << "BEGIN:VCARD\nVERSION:3.0\nN:Lee;Ann\nEND:VCARD\n";
    fs::resize_file(huge, 64 * 1024 * 1024 + 1);  // sparse: it takes no room on the disk

    for (const auto& [file, reason] : std::vector<std::pair<fs::path, std::string>>{
             {fifo, "cannot read '" + fifo.string() + "': not a regular file"},
             {"/dev/null", "cannot read '/dev/null': not a regular file"},
             {temp.path(), "cannot read '" + temp.path().string() + "': Is a directory"},
             {huge, "'" + huge.string() + "' is larger than 64 MB"}}) {
        const Result refused = tool({"import-vcard", file.string()});
        EXPECT_EQ(refused.code, 1) << file;
        EXPECT_NE(refused.err.find(reason), std::string::npos) << refused.err;
    }
    EXPECT_EQ(countIn(olFolderContacts), 0);
}

TEST_F(LocalStoreTool, BadCommandLinesExitWithTwo) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"bogus"},
                                               {"items"},
                                               {"show", "XYZ"},
                                               {"add-contact"},
                                               {"add-contact", "--first"},
                                               {"add-contact", "--first", "A", "--colour", "red"},
                                               {"add-contact", "--first", "A", "--first", "B"},
                                               {"add-mailuser", "--name", "N"},
                                               {"add-distlist"},
                                               {"items", "No Such Folder"},
                                               {"folders", "--db"}}) {
        const Result r = tool(args);
        EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("jotwise-store: "), std::string::npos);
    }
}

TEST_F(LocalStoreTool, TheProgramUsesItsOwnDatabaseOption) {
    const fs::path db = temp.path() / "cli" / "store.db";
    const std::string env = "XDG_CONFIG_HOME=" + shellQuote((temp.path() / "config").string()) +
                            " XDG_DATA_HOME=" + shellQuote((temp.path() / "data").string()) + " ";
    const std::string program =
        env + shellQuote(JOTWISE_STORE_PATH) + " --db " + shellQuote(db.string());
    auto added = runCommand(program + " add-contact --first Cli --last User 2>&1");
    ASSERT_EQ(added.exitCode, 0) << added.out;
    auto listed = runCommand(program + " items Contacts");
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_NE(listed.out.find("\tIPM.Contact\tCli User"), std::string::npos) << listed.out;
    EXPECT_FALSE(fs::exists(temp.path() / "data" / "jotwise" / "outlook.db"));

    EXPECT_EQ(runCommand(program + " frobnicate 2>/dev/null").exitCode, 2);
    EXPECT_EQ(runCommand(env + shellQuote(JOTWISE_STORE_PATH) + " --help").exitCode, 0);
    std::ofstream(temp.path() / "junk.db") << "junk";
    EXPECT_EQ(runCommand(env + shellQuote(JOTWISE_STORE_PATH) + " --db " +
                         shellQuote((temp.path() / "junk.db").string()) + " folders 2>/dev/null")
                  .exitCode,
              1);
}

// Delete, restore and set run in the real program, on the store this test also has open.
TEST_F(LocalStoreTool, TheProgramDeletesRestoresAndChangesItems) {
    auto lunch = createItem(olAppointmentItem);
    lunch->put("Subject", "Lunch");
    lunch->put("Start", OleDateFromLocal(std::chrono::local_days(std::chrono::year(2026) / 12 / 9) +
                                         std::chrono::hours(12)));
    lunch->put("Duration", 60);
    lunch->call("Save");
    const std::string id = lunch->get("EntryID").asString();
    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->call("Save");
    const std::string taskId = task->get("EntryID").asString();
    const std::string program = "XDG_CONFIG_HOME=" + shellQuote((temp.path() / "config").string()) +
                                " " + shellQuote(JOTWISE_STORE_PATH) + " --db " +
                                shellQuote(dbPath().string()) + " ";
    const auto run = [&](const std::string& args) { return runCommand(program + args + " 2>&1"); };
    const auto reread = [&](const std::string& entryId) {
        return mapiNamespace()->call("GetItemFromID", {entryId}).asObject();
    };
    const auto folderOf = [&](const std::string& entryId) {
        return reread(entryId)->get("Parent").asObject()->get("Name").asString();
    };

    auto r = run("delete " + id + " " + taskId);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out,
              "moved to Deleted Items: \u201CLunch\u201D (Appointment), from Calendar\n"
              "moved to Deleted Items: \u201CBudget\u201D (Task), from Tasks\n");
    EXPECT_EQ(folderOf(id), "Deleted Items");
    r = run("restore " + id);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "restored to Calendar: \u201CLunch\u201D (Appointment)\n");
    EXPECT_EQ(folderOf(id), "Calendar");
    EXPECT_EQ(run("restore " + id).exitCode, 1);
    r = run("delete --permanently " + taskId);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "deleted for good: \u201CBudget\u201D (Task), from Deleted Items\n");
    EXPECT_THROW(reread(taskId), AutomationError);

    // End before start, given in either order, is moved together; alone it is refused.
    r = run("set " + id + " end=2026-12-01T11:30 start=2026-12-01T10:00 location='Room 4'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out,
              "set \u201CLunch\u201D (Appointment): location \u201C\u201D \u2192 "
              "\u201CRoom 4\u201D, start 2026-12-09T12:00 \u2192 2026-12-01T10:00, end "
              "2026-12-09T13:00 \u2192 2026-12-01T11:30\n");
    EXPECT_EQ(reread(id)->get("Duration"), Variant(90));
    r = run("set " + id + " end=2026-11-30T09:00 subject=Changed");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("'End' cannot be earlier than 'Start'. Nothing was changed."),
              std::string::npos)
        << r.out;
    r = run("set " + id + " due=2026-12-24");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("due does not apply to an appointment item"), std::string::npos) << r.out;
    EXPECT_EQ(reread(id)->get("Subject"), Variant("Lunch"));

    auto other = createItem(olTaskItem);
    other->put("Subject", "Fair");
    other->call("Save");
    r = run("set " + other->get("EntryID").asString() +
            " status=in-progress due=2026-12-24 body='Stand 12'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("status not-started \u2192 in-progress"), std::string::npos) << r.out;
    EXPECT_EQ(reread(other->get("EntryID").asString())->get("Status"), Variant(olTaskInProgress));

    for (const std::string& wrong :
         {"set " + id + " colour=red", "set " + id + " start=9.12.2026",
          "set " + id + " start=2026-02-30T10:00", "set " + id + " status=done", "set " + id,
          std::string("delete"), std::string("delete nothex"), "restore --permanently " + id})
        EXPECT_EQ(run(wrong).exitCode, 2) << wrong;
    r = run("delete " + id + " 00AA");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("no item with the entry id 00AA"), std::string::npos) << r.out;
    EXPECT_EQ(folderOf(id), "Calendar");
}

}  // namespace
}  // namespace outlook::local::testing
