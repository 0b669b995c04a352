#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "outlook/local/item_trash.h"
#include "outlook/session/data_store.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

namespace fs = std::filesystem;
using testing::isAlias;

std::vector<std::string> sortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A session whose keywords file is in the test's own "Jotwise Data" folder.
class KeywordsFileTest : public testing::SessionTest {
protected:
    KeywordsFileTest() { fs::create_directory(dataFolder()); }

    fs::path dataFolder() const { return folder.path() / "Jotwise Data"; }
    fs::path file() const { return dataFolder() / "keywords.jwk"; }

    void writeFile(const std::string& text) const {
        std::ofstream(file(), std::ios::binary) << text;
    }
    std::string readFile() const {
        std::ifstream in(file(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    MessageId connectWithFile() {
        session = makeSession();
        session->SetKeywordsFile(file());
        InstallDataStore(session.get());
        return session->Connect(0, progress);
    }

    // The next run of the program: a new session over an emptied keyword store.
    MessageId restart() {
        InstallDataStore(nullptr);
        session.reset();
        Prs_ResetParseDll();
        return connectWithFile();
    }

    // What the user does in the keywords window: a keyword of their own for an item.
    void customise(TItem& item, const std::string& keyword, const std::string& list,
                   const std::string& project, const std::string& contact) {
        item.keywordsCustomized = true;
        ASSERT_EQ(Prs_AddAlias(keyword.c_str(), list.c_str(), project.c_str(), contact.c_str()), 1)
            << keyword;
        ++item.keywordCount;
    }
};

TEST_F(KeywordsFileTest, FirstStartWithoutAFileGivesEveryItemItsDefaultKeyword) {
    setCategories("Business");
    addContact("Ann", "Lee");
    ASSERT_EQ(connectWithFile(), 0) << session->LastError();
    EXPECT_TRUE(isAlias("task"));
    EXPECT_TRUE(isAlias("business"));
    EXPECT_TRUE(isAlias("ann lee"));

    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), "") << "default keywords are not the user's";
}

TEST_F(KeywordsFileTest, AnUnknownLocationFailsLoadingSavingAndConnecting) {
    ASSERT_EQ(connectWithFile(), 0);
    session->SetKeywordsFile("");
    EXPECT_EQ(session->LoadKeywords(), 51);
    EXPECT_EQ(session->SaveKeywords(), 51);

    session = makeSession();
    session->SetKeywordsFile("");
    EXPECT_EQ(session->Connect(0, progress), 51);
}

TEST_F(KeywordsFileTest, ABareLineKeepsAnItemCustomisedWithoutKeywords) {
    writeFile(",task,,\n");
    ASSERT_EQ(connectWithFile(), 0);
    const TFolder* tasks = session->FindFolder("task");
    EXPECT_TRUE(tasks->keywordsCustomized);
    EXPECT_EQ(tasks->keywordCount, 0);
    EXPECT_FALSE(isAlias("task")) << "no default keyword for a customised item";
    EXPECT_TRUE(isAlias("note"));

    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), ",task,,\n");
}

TEST_F(KeywordsFileTest, ALineForAnUnknownCategoryCreatesIt) {
    setCategories("Business");
    writeFile("chores,,Errands,\n");
    ASSERT_EQ(connectWithFile(), 0);
    const TCategory* errands = session->FindCategory("Errands");
    ASSERT_NE(errands, nullptr);
    EXPECT_TRUE(errands->keywordsCustomized);
    EXPECT_EQ(errands->keywordCount, 1);
    EXPECT_EQ(Prs_IsList("errands"), 1);
    EXPECT_TRUE(isAlias("chores"));
    EXPECT_FALSE(isAlias("errands"));

    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), "chores,,Errands,\n");
}

TEST_F(KeywordsFileTest, LinesForUnknownContactsOrFoldersAreDroppedOnTheNextSave) {
    const std::string ann = addContact("Ann", "Lee");
    writeFile("ghost,,,ABCDEF\n,,,0123\nmail,mail,,\nannie,,," + ann + "\n,,,\n");
    ASSERT_EQ(connectWithFile(), 0);
    EXPECT_FALSE(isAlias("ghost"));
    EXPECT_FALSE(isAlias("mail"));
    EXPECT_TRUE(isAlias("annie"));
    EXPECT_FALSE(isAlias("ann lee"));

    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), "annie,,," + ann + "\n");
}

TEST_F(KeywordsFileTest, SavesTheUsersKeywordsThenItemsWithoutAnyInCacheOrder) {
    setCategories("Business;Calls;Home");
    const std::string ann = addContact("Ann", "Lee");
    const std::string bob = addContact("Bob", "Smith");
    const std::string cleo = addContact("Cleo", "");
    ASSERT_EQ(connectWithFile(), 0);
    customise(*session->FindCategory("Business"), "biz", "Business", "", "");
    // The user removes every keyword of some items.
    for (const char* keyword : {"bob smith", "cleo", "home", "calls", "note"})
        ASSERT_EQ(Prs_DeleteAlias(keyword), 1) << keyword;
    for (TItem* bare : std::initializer_list<TItem*>{
             session->FindContact(bob), session->FindContact(cleo), session->FindCategory("Home"),
             session->FindCategory("Calls"), session->FindFolder("note")}) {
        bare->keywordsCustomized = true;
        bare->keywordCount = 0;
    }
    // ... and enters one again, in capitals.
    customise(*session->FindContact(bob), "Bob Smith", "", "", bob);

    ASSERT_EQ(session->SaveKeywords(), 0);
    const std::string text = readFile();
    // Business is customised, so its default keyword is one of the user's now.
    EXPECT_EQ(sortedLines(text.substr(0, text.find(",note,,\n"))),
              sortedLines("biz,,Business,\nbusiness,,Business,\n\"bob smith\",,," + bob + "\n"))
        << text;
    EXPECT_TRUE(text.ends_with(",note,,\n,,Calls,\n,,Home,\n,,," + cleo + "\n")) << text;
    EXPECT_EQ(text.find(ann), std::string::npos) << "not customised";
}

TEST_F(KeywordsFileTest, QuotedKeywordsAndNamesSurviveASaveAndALoad) {
    setCategories("Acme, Inc.");
    const std::string ann = addContact("Ann", "Lee");
    ASSERT_EQ(connectWithFile(), 0);
    customise(*session->FindCategory("Acme, Inc."), "client, acme", "Acme, Inc.", "", "");
    customise(*session->FindContact(ann), "the \"boss\"", "", "", ann);
    ASSERT_EQ(session->SaveKeywords(), 0);
    const std::string saved = readFile();
    EXPECT_NE(saved.find("\"acme , inc .\",,\"Acme, Inc.\",\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"\""), std::string::npos) << "the quote is doubled: " << saved;

    ASSERT_EQ(restart(), 0);
    EXPECT_TRUE(isAlias("client, acme"));
    EXPECT_TRUE(isAlias("the \"boss\""));
    EXPECT_TRUE(isAlias("ann lee")) << "a customised item's keywords are all in the file";
    EXPECT_EQ(session->FindContact(ann)->keywordCount, 2);
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(sortedLines(readFile()), sortedLines(saved));
}

TEST_F(KeywordsFileTest, ReadsWindowsLineEndsLongLinesAndALastLineWithoutLineFeed) {
    setCategories("Business");
    const std::string ann = addContact("Ann", "Lee");
    const std::string longName(300, 'x');
    writeFile("first,task,,\r\nbiz" + std::string(400, ' ') + ",, Business ,,extra" +
              std::string(1000, 'e') + "\n\n\"long\",," + longName + ",\nlast,,," + ann);
    ASSERT_EQ(connectWithFile(), 0);
    EXPECT_TRUE(isAlias("first"));
    EXPECT_TRUE(isAlias("biz")) << "the category comes after 400 blanks";
    EXPECT_NE(session->FindCategory(longName), nullptr);
    EXPECT_TRUE(session->FindCategory(longName)->keywordsCustomized);
    EXPECT_TRUE(isAlias("last"));
}

TEST_F(KeywordsFileTest, GarbageIsSurvivedAndTheReadableLinesRegistered) {
    std::mt19937 random(7);
    std::string garbage(10 << 20, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    writeFile("\"unbalanced,task,,\n" + garbage + "\n\"\"\"\",,,\n,,\"\n" +
              std::string(100'000, '"') + "\nfound,note,,\n");
    ASSERT_EQ(connectWithFile(), 0);
    EXPECT_TRUE(isAlias("found"));
    EXPECT_TRUE(session->FindFolder("note")->keywordsCustomized);
    EXPECT_EQ(session->SaveKeywords(), 0);
}

TEST_F(KeywordsFileTest, AFileThatIsThereButCannotBeReadIsToldAndNeverReplaced) {
    const auto unreadable = [&](const std::string& reason) {
        SCOPED_TRACE(reason);
        ::testing::StrictMock<jotwise::testing::MockMessageBoxes> boxes;
        messages::ErrorBox errorBox(boxes);
        messages::InstallErrorBox(&errorBox);
        InstallDataStore(nullptr);
        Prs_ResetParseDll();
        session = makeSession();
        session->SetKeywordsFile(file());
        InstallDataStore(session.get());
        errorBox.setSession(session.get());
        EXPECT_CALL(boxes,
                    show("Jotwise for Microsoft Outlook",
                         ::testing::AllOf(::testing::StartsWith("Unable to read the Keywords"),
                                          ::testing::HasSubstr(file().string() + ": " + reason)),
                         platform::MessageIcon::Stop, platform::MessageButtons::Ok));
        EXPECT_EQ(session->Connect(0, progress), 0) << "the program runs on";
        messages::InstallErrorBox(nullptr);

        EXPECT_TRUE(isAlias("task")) << "every item has its default keyword";
        customise(*session->FindFolder("task"), "todo", "", "task", "");
        EXPECT_EQ(session->SaveKeywords(), 52);
        EXPECT_NE(session->takeLastError().find(reason), std::string::npos);
    };

    // An I/O error: reading this file fails at its first byte.
    fs::create_symlink("/proc/self/mem", file());
    unreadable("Input/output error");
    EXPECT_TRUE(fs::is_symlink(file())) << "the file was replaced";

    // Something else in the file's place.
    fs::remove(file());
    fs::create_directory(file());
    unreadable("Is a directory");
    EXPECT_TRUE(fs::is_directory(file()));

    // A file the user may not read (permissions do not stop the superuser).
    fs::remove(file());
    writeFile("todo,task,,\n");
    fs::permissions(file(), fs::perms::none);
    if (::geteuid() != 0) {
        unreadable("Permission denied");
        fs::permissions(file(), fs::perms::owner_read);
        EXPECT_EQ(readFile(), "todo,task,,\n");
    }
}

TEST_F(KeywordsFileTest, CategoriesListedWithBlanksAroundTheirNamesKeepTheirKeywords) {
    setCategories("Business; Calls ;Home");
    ASSERT_EQ(connectWithFile(), 0);
    TCategory* calls = session->FindCategory("Calls");
    ASSERT_NE(calls, nullptr);
    EXPECT_EQ(session->FindCategory(" Calls "), nullptr);
    customise(*calls, "phone", "Calls", "", "");
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_NE(readFile().find("phone,,Calls,\n"), std::string::npos) << readFile();

    ASSERT_EQ(restart(), 0);
    EXPECT_TRUE(isAlias("phone"));
    const auto stored =
        registry.openKey(platform::RegistryRoot::CurrentUser, testing::kCategoriesKey)
            ->queryValue("");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->text, "Business; Calls ;Home") << "the list itself is left as it was";
}

TEST_F(KeywordsFileTest, ACategoryWithALineBreakTakesNoKeywordsAndNeverSplitsTheFile) {
    setCategories("Business;Line\nBreak");
    ASSERT_EQ(connectWithFile(), 0);
    TCategory* odd = session->FindCategory("Line\nBreak");
    ASSERT_NE(odd, nullptr) << "notes can still be filed under it";
    EXPECT_EQ(Prs_AddAlias("odd", "Line\nBreak", "", ""), 0) << "but no keyword names it";
    odd->keywordsCustomized = true;
    customise(*session->FindCategory("Business"), "work", "Business", "", "");
    ASSERT_EQ(session->SaveKeywords(), 0);
    const std::string saved = readFile();

    ASSERT_EQ(restart(), 0);
    EXPECT_EQ(session->FindCategory("Line"), nullptr);
    EXPECT_EQ(session->FindCategory("Break"), nullptr);
    EXPECT_TRUE(isAlias("work"));
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), saved) << "what was written reads back the same";
}

TEST_F(KeywordsFileTest, AKeywordTheUserGaveToAnotherContactOutlivesRefreshAndRename) {
    const std::string ann = addContact("Ann", "Lee");
    const std::string bob = addContact("Bob", "Smith");
    const std::string line = "\"ann lee\",,," + bob + "\n";
    writeFile(line);
    ASSERT_EQ(connectWithFile(), 0);
    EXPECT_EQ(session->FindContact(ann)->keywordCount, 0) << "Bob holds Ann's default keyword";

    session->RefreshContacts();  // as after a change by another program
    EXPECT_TRUE(isAlias("ann lee"));
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), line);

    const DispatchPtr item = contactItem(ann);
    item->put("FirstName", "Anna");
    item->call("Save");
    settle();
    ASSERT_EQ(session->FindContact(ann)->FullName(), "Anna Lee");
    EXPECT_TRUE(isAlias("ann lee"));
    EXPECT_FALSE(isAlias("anna lee")) << "Bob's keyword was not renamed away from him";
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), line);

    // Ann's own default keyword still follows her.
    session->RefreshContacts();
    EXPECT_TRUE(isAlias("anna lee"));
    item->put("FirstName", "Annie");
    item->call("Save");
    settle();
    EXPECT_TRUE(isAlias("annie lee"));
    EXPECT_FALSE(isAlias("anna lee"));
}

// A contact deleted by mistake and restored has its keywords again, in this run or the next;
// the notes that named it keep its name; removed for good, its keywords leave the file.
TEST_F(KeywordsFileTest, ADeletedContactsKeywordsComeBackWithItAndNotesKeepItsName) {
    const std::string ann = addContact("Ann", "Lee");
    const DispatchPtr lunch = application()->call("CreateItem", {olAppointmentItem}).asObject();
    lunch->put("Subject", "Lunch");
    lunch->put("ContactNames", "Ann Lee");
    lunch->get("Attachments").asObject()->call("Add", {ann, std::int32_t(olByReference)});
    lunch->call("Save");
    ASSERT_EQ(connectWithFile(), 0);
    customise(*session->FindContact(ann), "annie", "", "", ann);
    local::ItemTrash trash(outlook->store(),
                           application()->call("GetNamespace", {"MAPI"}).asObject());
    const std::string annLines = "annie,,," + ann + "\n" + "\"ann lee\",,," + ann + "\n";

    ASSERT_TRUE(trash.moveToDeletedItems({ann}).done());
    settle();
    EXPECT_EQ(session->FindContact(ann), nullptr);
    EXPECT_FALSE(isAlias("annie"));
    EXPECT_FALSE(isAlias("ann lee"));
    const DispatchPtr kept = contactItem(lunch->get("EntryID").asString());
    EXPECT_EQ(kept->get("ContactNames"), Variant("Ann Lee"));
    EXPECT_EQ(kept->get("Attachments").asObject()->get("Count"), Variant(1));
    // Still in the store, so still in the file.
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(sortedLines(readFile()), sortedLines(annLines));

    ASSERT_EQ(restart(), 0);
    EXPECT_FALSE(isAlias("annie"));
    ASSERT_TRUE(trash.restore({ann}).done());
    settle();
    ASSERT_NE(session->FindContact(ann), nullptr);
    EXPECT_TRUE(session->FindContact(ann)->keywordsCustomized);
    EXPECT_TRUE(isAlias("annie"));
    EXPECT_TRUE(isAlias("ann lee"));
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(sortedLines(readFile()), sortedLines(annLines));

    ASSERT_TRUE(trash.removePermanently({ann}).done());
    settle();
    ASSERT_EQ(session->SaveKeywords(), 0);
    EXPECT_EQ(readFile(), "");
    EXPECT_EQ(contactItem(lunch->get("EntryID").asString())->get("ContactNames"),
              Variant("Ann Lee"));
}

TEST_F(KeywordsFileTest, SavingNeverMakesTheFolder) {
    ASSERT_EQ(connectWithFile(), 0);
    customise(*session->FindFolder("task"), "todo", "", "task", "");
    fs::remove(dataFolder());
    EXPECT_EQ(session->SaveKeywords(), 52);
    EXPECT_FALSE(fs::exists(dataFolder()));
}

TEST_F(KeywordsFileTest, AnInterruptedSaveLeavesTheEarlierFileWhole) {
    writeFile("todo,task,,\n");
    ASSERT_EQ(connectWithFile(), 0);
    customise(*session->FindFolder("note"), "jot", "", "note", "");
    bool stopped = false;
    EXPECT_EQ(session->SaveKeywords([&](const fs::path&) { return !(stopped = true); }), 52);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(readFile(), "todo,task,,\n");

    ASSERT_EQ(restart(), 0);
    EXPECT_TRUE(isAlias("todo"));
    EXPECT_FALSE(isAlias("jot"));
    EXPECT_TRUE(isAlias("note"));
}

}  // namespace
}  // namespace outlook
