#include "outlook/local/explorer_model.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "outlook/ole_date.h"
#include "tests/outlook/local/explorer_model_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;

local_seconds at(int y, unsigned m, unsigned d, int h = 0, int min = 0) {
    return local_days(year{y} / month{m} / day{d}) + hours(h) + minutes(min);
}

OleDate ole(local_seconds time) {
    return OleDateFromLocal(time_point_cast<milliseconds>(time));
}

std::vector<std::string> texts(const ListRow& row) {
    std::vector<std::string> out;
    for (const auto& cell : row.cells)
        out.push_back(cell.text);
    return out;
}

class ExplorerModelTest : public ExplorerModelFixture {
protected:
    DispatchPtr appointment(const char* subject, local_seconds start, int minutes,
                            const char* categories = "") {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", subject);
        item->put("Start", ole(start));
        item->put("Duration", minutes);
        if (*categories) item->put("Categories", categories);
        item->call("Save");
        return item;
    }
};

TEST_F(ExplorerModelTest, ListsTheFoldersAUserFilesIntoFirst) {
    ASSERT_TRUE(model().open()) << model().error();
    std::vector<std::string> names;
    for (const auto& folder : model().folders())
        names.push_back(folder.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Calendar", "Tasks", "Notes", "Contacts", "Journal",
                                               "Sent Items", "Inbox", "Outbox", "Drafts",
                                               "Deleted Items"}));
}

TEST_F(ExplorerModelTest, EachFolderHasColumnsThatSuitIt) {
    auto lunchItem = appointment("Lunch with Ann", at(2026, 12, 8, 12), 60, "Business");
    lunchItem->put("Location", "Corner cafe");
    lunchItem->call("Save");
    auto task = createItem(olTaskItem);
    task->put("Subject", "Send the budget");
    task->put("DueDate", ole(at(2026, 12, 9)));
    task->put("Status", static_cast<std::int32_t>(olTaskWaiting));
    task->call("Save");
    saveContact("Ann", "Lee", "ann@example.com");
    auto note = createItem(olNoteItem);
    note->put("Body", "Door code\n4711");
    note->call("Save");
    auto draft = createItem(olMailItem);
    draft->put("Subject", "Budget");
    draft->get("Recipients").asObject()->call("Add", {"Bob Stone"});
    draft->get("Recipients").asObject()->call("Add", {"Carl Moss"});
    auto cc = draft->get("Recipients").asObject()->call("Add", {"Dan Cc"}).asObject();
    cc->put("Type", static_cast<std::int32_t>(olCC));
    draft->call("Save");

    ASSERT_TRUE(model().showFolder(FolderKind::Calendar)) << model().error();
    const auto& columns = model().layout().columns;
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[1], (ListColumn{"Start", true}));
    EXPECT_EQ(columns[3], (ListColumn{"Location", false}));
    ASSERT_EQ(model().rows().size(), 1u);
    const ListRow& lunch = model().rows()[0];
    EXPECT_EQ(texts(lunch),
              (std::vector<std::string>{"Lunch with Ann", "", "", "Corner cafe", "Business"}));
    EXPECT_EQ(lunch.cells[1].time, at(2026, 12, 8, 12));
    EXPECT_EQ(lunch.cells[2].time, at(2026, 12, 8, 13));
    EXPECT_FALSE(lunch.cells[1].dateOnly);
    ASSERT_EQ(model().appointments().size(), 1u);
    EXPECT_EQ(model().appointments()[0].entryId, lunch.entryId);

    ASSERT_TRUE(model().showFolder(FolderKind::Tasks));
    ASSERT_EQ(model().rows().size(), 1u);
    EXPECT_EQ(model().rows()[0].cells[2].text, "Waiting on someone else");
    const auto taskDetails = model().details(task->get("EntryID").asString());
    ASSERT_TRUE(taskDetails);
    EXPECT_EQ(taskDetails->properties.at(1).label, "Status");
    EXPECT_EQ(taskDetails->properties.at(1).value.text, "Waiting on someone else");
    EXPECT_EQ(model().rows()[0].cells[1].time, at(2026, 12, 9));
    EXPECT_TRUE(model().rows()[0].cells[1].dateOnly);
    EXPECT_TRUE(model().appointments().empty());

    ASSERT_TRUE(model().showFolder(FolderKind::Contacts));
    EXPECT_EQ(texts(model().rows().at(0)),
              (std::vector<std::string>{"Lee, Ann", "", "ann@example.com"}));

    ASSERT_TRUE(model().showFolder(FolderKind::Notes));
    EXPECT_EQ(model().rows().at(0).cells[0].text, "Door code");
    EXPECT_TRUE(model().rows().at(0).cells[1].time);

    ASSERT_TRUE(model().showFolder(FolderKind::Drafts));
    EXPECT_EQ(model().rows().at(0).cells[1].text, "Bob Stone; Carl Moss");

    // Deleted Items mixes kinds, so it says which each is.
    task->call("Delete");
    ASSERT_TRUE(model().showFolder(FolderKind::DeletedItems));
    EXPECT_EQ(texts(model().rows().at(0))[1], "Task");
}

TEST_F(ExplorerModelTest, AFolderShownByItsEntryIdIsTheCurrentFolder) {
    const std::string calendarId = defaultFolder(olFolderCalendar)->get("EntryID").asString();
    ASSERT_TRUE(model().showFolder(calendarId));
    EXPECT_EQ(model().currentFolder(), FolderKind::Calendar);
    EXPECT_EQ(model().folderObject()->get("Name").asString(), "Calendar");
    EXPECT_FALSE(model().showFolder(std::string("00FF")));
    EXPECT_EQ(model().currentFolder(), FolderKind::Calendar);
}

TEST_F(ExplorerModelTest, TheShownFolderFollowsTheStore) {
    int told = 0;
    model().setRowsChanged([&] { ++told; });
    ASSERT_TRUE(model().showFolder(FolderKind::Calendar));
    auto lunch = appointment("Lunch", at(2026, 12, 8, 12), 60);
    EXPECT_TRUE(model().rows().empty());  // through the event loop only
    loop.runPending();
    EXPECT_EQ(told, 1);
    ASSERT_EQ(model().rows().size(), 1u);

    lunch->put("Subject", "Long lunch");
    lunch->call("Save");
    loop.runPending();
    EXPECT_EQ(model().rows().at(0).cells[0].text, "Long lunch");

    // Another folder's change is not this folder's business.
    saveContact("Ann", "Lee", "ann@example.com");
    loop.runPending();
    EXPECT_EQ(told, 2);

    lunch->call("Delete");
    loop.runPending();
    EXPECT_TRUE(model().rows().empty());

    // Another folder shown: the Calendar is no longer watched.
    ASSERT_TRUE(model().showFolder(FolderKind::Contacts));
    appointment("Dinner", at(2026, 12, 8, 19), 60);
    loop.runPending();
    EXPECT_EQ(told, 3);
    EXPECT_EQ(model().rows().size(), 1u);
}

TEST_F(ExplorerModelTest, AnotherProcesssItemAppearsToo) {
    ASSERT_TRUE(model().showFolder(FolderKind::Calendar));
    jotwise::testing::ManualEventLoop otherLoop;
    MemoryRegistry otherRegistry;
    std::string error;
    auto other = LocalOutlook::open(dbPath(), otherRegistry, otherLoop, &error);
    ASSERT_TRUE(other) << error;
    auto item = other->automation()
                    .createObject("Outlook.Application")
                    ->call("CreateItem", {static_cast<std::int32_t>(olAppointmentItem)})
                    .asObject();
    item->put("Subject", "Filed elsewhere");
    item->put("Start", ole(at(2026, 12, 8, 9)));
    item->call("Save");
    loop.advance(milliseconds(1000));
    ASSERT_EQ(model().rows().size(), 1u);
    EXPECT_EQ(model().rows()[0].cells[0].text, "Filed elsewhere");
}

TEST_F(ExplorerModelTest, DetailsListWhatIsSetWithRecipientsAndAttachments) {
    const TempFolder files;
    const auto report = files.path() / "report.txt";
    std::ofstream(report) << "figures";
    auto ann = saveContact("Ann", "Lee", "ann@example.com");
    auto meeting = appointment("Review", at(2026, 12, 8, 14), 90, "Business");
    meeting->put("Body", "Bring the figures.");
    meeting->put("Location", "Room 4");
    meeting->get("Recipients").asObject()->call("Add", {"Bob Stone"});
    auto attachments = meeting->get("Attachments").asObject();
    attachments->call("Add", {report.string()});
    attachments->call("Add", {report.string(), static_cast<std::int32_t>(olByReference)});
    attachments->call("Add", {ann, static_cast<std::int32_t>(olByReference)});
    attachments->call("Add", {ann, static_cast<std::int32_t>(olEmbeddedItem)});
    meeting->call("Save");

    ASSERT_TRUE(model().open());
    const auto details = model().details(meeting->get("EntryID").asString());
    ASSERT_TRUE(details);
    EXPECT_EQ(details->kind, "Appointment");
    EXPECT_TRUE(details->addressed);
    EXPECT_EQ(details->title, "Review");
    EXPECT_EQ(details->body, "Bring the figures.");
    std::map<std::string, DisplayValue> properties;
    for (const auto& line : details->properties)
        properties[line.label] = line.value;
    EXPECT_EQ(properties["Start"].time, at(2026, 12, 8, 14));
    EXPECT_EQ(properties["Duration"].text, "1 hour 30 minutes");
    EXPECT_EQ(properties["Show time as"].text, "Busy");
    EXPECT_EQ(properties["Location"].text, "Room 4");
    EXPECT_EQ(properties["Categories"].text, "Business");
    EXPECT_EQ(properties.count("Subject"), 0u);  // the title says it
    EXPECT_EQ(properties.count("Meeting"), 0u);  // not a meeting: nothing to say
    ASSERT_EQ(details->recipients.size(), 1u);
    EXPECT_EQ(details->recipients[0].type, "To");
    EXPECT_EQ(details->recipients[0].name, "Bob Stone");
    ASSERT_EQ(details->attachments.size(), 4u);
    EXPECT_EQ(details->attachments[0].kind, "File");
    EXPECT_EQ(details->attachments[0].size, 7);
    EXPECT_EQ(details->attachments[1].kind, "Link to a file");
    EXPECT_EQ(details->attachments[1].source, report.string());
    EXPECT_EQ(details->attachments[2].kind, "Link to an item");
    EXPECT_EQ(details->attachments[2].name, "Ann Lee");
    EXPECT_EQ(details->attachments[3].kind, "Copy of an item");

    const auto contactDetails = model().details(ann->get("EntryID").asString());
    ASSERT_TRUE(contactDetails);
    EXPECT_EQ(contactDetails->title, "Ann Lee");
    EXPECT_FALSE(contactDetails->addressed);
    EXPECT_EQ(contactDetails->properties.at(1).label, "File as");

    EXPECT_FALSE(model().details("00FF"));
}

TEST_F(ExplorerModelTest, OpeningAnAttachmentShowsItsItemOrGivesAFile) {
    const TempFolder files;
    const auto report = files.path() / "report.txt";
    std::ofstream(report) << "figures";
    auto ann = saveContact("Ann", "Lee", "ann@example.com");
    auto task = createItem(olTaskItem);
    auto attachments = task->get("Attachments").asObject();
    attachments->call("Add", {report.string()});
    attachments->call("Add", {report.string(), static_cast<std::int32_t>(olByReference)});
    attachments->call("Add", {ann, static_cast<std::int32_t>(olByReference)});
    attachments->call("Add", {ann, static_cast<std::int32_t>(olEmbeddedItem)});
    task->call("Save");
    std::filesystem::remove(report);  // the attached copy stays; the link breaks
    const std::string id = task->get("EntryID").asString();

    auto saved = model().openAttachment(id, 0);
    ASSERT_EQ(saved.action, AttachmentOpening::Action::OpenFile) << saved.message;
    EXPECT_EQ(saved.file.filename(), "report.txt");
    std::ifstream in(saved.file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "figures");

    auto broken = model().openAttachment(id, 1);
    EXPECT_EQ(broken.action, AttachmentOpening::Action::None);
    EXPECT_NE(broken.message.find("no longer there"), std::string::npos);

    auto linked = model().openAttachment(id, 2);
    EXPECT_EQ(linked.action, AttachmentOpening::Action::Displayed);
    const auto& shown = outlook().windows().defaultItemForm().shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].item->get("EntryID"), ann->get("EntryID"));

    EXPECT_EQ(model().openAttachment(id, 3).action, AttachmentOpening::Action::None);
    EXPECT_EQ(model().openAttachment(id, 4).action, AttachmentOpening::Action::None);

    // The saved copies go with the model.
    const auto folder = saved.file.parent_path();
    EXPECT_TRUE(std::filesystem::exists(folder));
    TearDown();
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(ExplorerAgenda, EachDayListsTheAppointmentsThatTakeUpSomeOfIt) {
    const auto entry = [](const char* subject, local_seconds start, local_seconds end) {
        AgendaEntry e;
        e.subject = subject;
        e.start = start;
        e.end = end;
        return e;
    };
    const std::vector<AgendaEntry> appointments = {
        entry("Late", at(2026, 12, 8, 16), at(2026, 12, 8, 17)),
        entry("early", at(2026, 12, 8, 9), at(2026, 12, 8, 10)),
        entry("Trip", at(2026, 12, 7, 18), at(2026, 12, 9, 12)),
        entry("Ends at midnight", at(2026, 12, 9, 22), at(2026, 12, 10, 0)),
        entry("Reminder", at(2026, 12, 10, 0), at(2026, 12, 10, 0)),
        entry("Before", at(2026, 12, 1, 9), at(2026, 12, 1, 10)),
    };
    const auto days = buildAgenda(appointments, local_days(year{2026} / 12 / 8), 3);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].day, local_days(year{2026} / 12 / 8));
    const auto subjects = [](const AgendaDay& day) {
        std::vector<std::string> out;
        for (const auto& e : day.entries)
            out.push_back(e.subject);
        return out;
    };
    EXPECT_EQ(subjects(days[0]), (std::vector<std::string>{"Trip", "early", "Late"}));
    EXPECT_TRUE(days[0].entries[0].fromEarlierDay);
    EXPECT_TRUE(days[0].entries[0].intoLaterDay);
    EXPECT_EQ(subjects(days[1]), (std::vector<std::string>{"Trip", "Ends at midnight"}));
    EXPECT_FALSE(days[1].entries[0].intoLaterDay);
    EXPECT_FALSE(days[1].entries[1].intoLaterDay);
    EXPECT_EQ(subjects(days[2]), (std::vector<std::string>{"Reminder"}));
}

TEST(ExplorerDurations, AreWrittenInWords) {
    EXPECT_EQ(describeMinutes(1), "1 minute");
    EXPECT_EQ(describeMinutes(45), "45 minutes");
    EXPECT_EQ(describeMinutes(60), "1 hour");
    EXPECT_EQ(describeMinutes(150), "2 hours 30 minutes");
    EXPECT_EQ(describeMinutes(2 * 24 * 60), "2 days");
    EXPECT_EQ(describeMinutes(25 * 60), "25 hours");
}

}  // namespace
}  // namespace outlook::local::testing
