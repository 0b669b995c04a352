#include "outlook/local/ui/explorer_window.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "outlook/local/transport/outbox_sender.h"
#include "outlook/local/ui/store_presentation.h"
#include "tests/outlook/local/ui/store_window_fixture.h"
#include "tests/support/text_fits.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;

class ExplorerWindowTest : public StoreWindowTest {
protected:
    // Shows a default folder the way the program does: Folder.Display.
    ExplorerMainWindow& display(std::int32_t folder) {
        defaultFolder(folder)->call("Display");
        return windows->explorer().window();
    }
    QTableView& table(ExplorerMainWindow& window) { return child<QTableView>(window, "tblItems"); }
    QString cell(ExplorerMainWindow& window, int row, int column) {
        return table(window).model()->index(row, column).data().toString();
    }
    QStringList column(ExplorerMainWindow& window, int column) {
        QStringList texts;
        for (int row = 0; row < table(window).model()->rowCount(); ++row)
            texts << cell(window, row, column);
        return texts;
    }
    // A double click as a user makes it: the press that selects, then the double click.
    static void doubleClick(QWidget* viewport, QPoint at) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }
    QAction& action(ExplorerMainWindow& window, const char* name) {
        auto* found = window.findChild<QAction*>(name);
        if (!found) throw std::runtime_error(std::string("no action ") + name);
        return *found;
    }
    // A key pressed as a user presses it: into the focused widget of the active window, so
    // that the window's shortcuts apply.
    static void press(QMainWindow& window, QWidget& target, Qt::Key key,
                      Qt::KeyboardModifiers modifiers = {}) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        target.setFocus();
        QTest::keyClick(&target, key, modifiers);
    }
    std::string folderOf(const DispatchPtr& item) {
        return stored(item)->get("Parent").asObject()->get("Name").asString();
    }
    void clickHeader(ExplorerMainWindow& window, int column) {
        QHeaderView* header = table(window).horizontalHeader();
        const QPoint centre(
            header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }
};

TEST_F(ExplorerWindowTest, FolderDisplayOpensTheExplorerOnThatFolder) {
    EXPECT_TRUE(application()->get("ActiveExplorer").isNothing());
    ExplorerMainWindow& window = display(olFolderCalendar);
    EXPECT_TRUE(window.isVisible());
    auto& folders = child<QListWidget>(window, "lstFolders");
    QStringList names;
    for (int i = 0; i < folders.count(); ++i)
        names << folders.item(i)->text();
    EXPECT_EQ(names, (QStringList{"Calendar", "Tasks", "Notes", "Contacts", "Journal", "Sent Items",
                                  "Inbox", "Outbox", "Drafts", "Deleted Items"}));
    EXPECT_EQ(folders.currentItem()->text(), "Calendar");
    EXPECT_EQ(child<QLabel>(window, "lblFolder").text(), "Calendar");

    const DispatchPtr explorer = application()->get("ActiveExplorer").asObject();
    EXPECT_EQ(explorer->get("CurrentFolder").asObject()->get("Name").asString(), "Calendar");
    folders.setCurrentRow(3);
    EXPECT_EQ(explorer->get("CurrentFolder").asObject()->get("Name").asString(), "Contacts");
    explorer->call("Close");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(application()->get("ActiveExplorer").isNothing());
}

TEST_F(ExplorerWindowTest, ASavedAppointmentShowsItsColumns) {
    saveAppointment("Lunch with Ann", localAt(2026, 12, 8, 12), 60, "Business");
    ExplorerMainWindow& window = display(olFolderCalendar);
    QAbstractItemModel* model = table(window).model();
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Subject", "Start", "End", "Location", "Categories"}));
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(window, 0, 0), "Lunch with Ann");
    EXPECT_EQ(cell(window, 0, 1), displayText(DisplayValue(localAt(2026, 12, 8, 12), false)));
    EXPECT_EQ(cell(window, 0, 2), displayText(DisplayValue(localAt(2026, 12, 8, 13), false)));
    EXPECT_EQ(cell(window, 0, 3), "");
    EXPECT_EQ(cell(window, 0, 4), "Business");
    // The first row is selected and described below.
    EXPECT_EQ(child<QLabel>(window, "lblItemTitle").text(), "Lunch with Ann");
    EXPECT_EQ(child<QLabel>(window, "lblItemKind").text(), "Appointment");
    EXPECT_EQ(window.statusBar()->currentMessage(), "1 item");
}

TEST_F(ExplorerWindowTest, ColumnsSortByTheirValues) {
    // By text the 10th would come before the 9th; by time it does not.
    saveAppointment("b review", localAt(2026, 12, 10, 9), 30);
    saveAppointment("A lunch", localAt(2026, 12, 9, 12), 30);
    saveAppointment("c call", localAt(2026, 12, 9, 8), 30);
    ExplorerMainWindow& window = display(olFolderCalendar);
    EXPECT_EQ(column(window, 0), (QStringList{"c call", "A lunch", "b review"}));
    clickHeader(window, 0);
    EXPECT_EQ(column(window, 0), (QStringList{"A lunch", "b review", "c call"}));
    clickHeader(window, 0);
    EXPECT_EQ(column(window, 0), (QStringList{"c call", "b review", "A lunch"}));
    clickHeader(window, 1);
    EXPECT_EQ(column(window, 0), (QStringList{"c call", "A lunch", "b review"}));
    clickHeader(window, 1);
    EXPECT_EQ(column(window, 0), (QStringList{"b review", "A lunch", "c call"}));

    // The user's sort stays while the folder changes.
    saveAppointment("d late", localAt(2026, 12, 11, 9), 30);
    loop.runPending();
    EXPECT_EQ(column(window, 0), (QStringList{"d late", "b review", "A lunch", "c call"}));
}

TEST_F(ExplorerWindowTest, ANewItemAppearsWithoutReopening) {
    auto first = saveAppointment("Standing meeting", localAt(2026, 12, 8, 9), 30);
    ExplorerMainWindow& window = display(olFolderCalendar);
    ASSERT_EQ(table(window).model()->rowCount(), 1);
    saveAppointment("Dentist", localAt(2026, 12, 8, 15), 45);
    loop.runPending();
    ASSERT_EQ(table(window).model()->rowCount(), 2);
    EXPECT_EQ(column(window, 0), (QStringList{"Standing meeting", "Dentist"}));
    EXPECT_EQ(window.statusBar()->currentMessage(), "2 items");
    // The selection stays on its item, and its details follow its changes.
    EXPECT_EQ(window.selectedEntryId(), first->get("EntryID").asString());
    first->put("Subject", "Standing meeting (moved)");
    first->call("Save");
    loop.runPending();
    EXPECT_EQ(child<QLabel>(window, "lblItemTitle").text(), "Standing meeting (moved)");
    first->call("Delete");
    loop.runPending();
    EXPECT_EQ(column(window, 0), QStringList{"Dentist"});
}

TEST_F(ExplorerWindowTest, EachFolderHasItsOwnColumns) {
    saveContact("Ann", "Lee", "ann@example.com", "Acme");
    ExplorerMainWindow& window = display(olFolderContacts);
    QAbstractItemModel* model = table(window).model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "File as");
    EXPECT_EQ(column(window, 0), QStringList{"Lee, Ann"});
    EXPECT_EQ(column(window, 1), QStringList{"Acme"});
    EXPECT_EQ(column(window, 2), QStringList{"ann@example.com"});
    EXPECT_FALSE(child<QComboBox>(window, "cbView").isVisible());
}

TEST_F(ExplorerWindowTest, DoubleClickingAContactOpensTheContactForm) {
    saveContact("Ann", "Lee", "ann@example.com");
    ExplorerMainWindow& window = display(olFolderContacts);
    QTableView& items = table(window);
    const QRect row = items.visualRect(items.model()->index(0, 0));
    doubleClick(items.viewport(), row.center());
    const auto open = windows->itemForm().openWindows();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_NE(dynamic_cast<ContactWindow*>(open[0]), nullptr);
    EXPECT_EQ(open[0]->windowTitle(), "Ann Lee - Contact");
}

TEST_F(ExplorerWindowTest, AttachmentsOpenTheirItemOrTheirFile) {
    const TempFolder files;
    const auto report = files.path() / "report.txt";
    std::ofstream(report) << "figures";
    auto ann = saveContact("Ann", "Lee", "ann@example.com");
    auto task = createItem(olTaskItem);
    task->put("Subject", "Send the budget");
    task->get("Recipients").asObject()->call("Add", {"Bob Stone"});
    auto attachments = task->get("Attachments").asObject();
    attachments->call("Add", {ann, static_cast<std::int32_t>(olByReference)});
    attachments->call("Add", {report.string()});
    attachments->call("Add", {report.string(), static_cast<std::int32_t>(olByReference)});
    task->call("Save");

    ExplorerMainWindow& window = display(olFolderTasks);
    std::vector<QUrl> opened;
    window.openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    auto& recipients = child<QTreeWidget>(window, "treeRecipients");
    ASSERT_EQ(recipients.topLevelItemCount(), 1);
    EXPECT_EQ(recipients.topLevelItem(0)->text(1), "Bob Stone");
    auto& list = child<QTreeWidget>(window, "treeAttachments");
    ASSERT_EQ(list.topLevelItemCount(), 3);
    EXPECT_EQ(list.topLevelItem(0)->text(1), "Link to an item");

    const auto activate = [&](int row) {
        const QRect rect = list.visualItemRect(list.topLevelItem(row));
        doubleClick(list.viewport(), rect.center());
    };
    activate(0);
    const auto open = windows->itemForm().openWindows();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]->windowTitle(), "Ann Lee - Contact");

    activate(1);
    ASSERT_EQ(opened.size(), 1u);
    const std::filesystem::path saved = opened[0].toLocalFile().toStdString();
    EXPECT_EQ(saved.filename(), "report.txt");
    EXPECT_NE(saved.parent_path(), files.path());
    std::ifstream in(saved);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "figures");

    activate(2);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(QString::fromStdString(report.string())));
}

TEST_F(ExplorerWindowTest, TheCalendarAlsoShowsAWeekByDay) {
    // A week in the past, so that no day of it is marked as today.
    saveAppointment("Lunch with Ann", localAt(2025, 12, 2, 12), 60, "Business");
    saveAppointment("Trip", localAt(2025, 12, 3, 18), 24 * 60);
    saveAppointment("Next week", localAt(2025, 12, 9, 9), 60);
    ExplorerMainWindow& window = display(olFolderCalendar);
    window.setView(ExplorerMainWindow::View::Week);
    window.showAgendaFrom(QDate(2025, 12, 1));
    auto& agenda = child<QTreeWidget>(window, "treeAgenda");
    ASSERT_TRUE(agenda.isVisible());
    ASSERT_EQ(agenda.topLevelItemCount(), 7);
    const QLocale locale;
    EXPECT_EQ(agenda.topLevelItem(1)->text(0),
              locale.toString(QDate(2025, 12, 2), QLocale::LongFormat));
    ASSERT_EQ(agenda.topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(agenda.topLevelItem(1)->child(0)->text(1), "Lunch with Ann");
    EXPECT_EQ(agenda.topLevelItem(2)->child(0)->text(0), "from " + timeText(QTime(18, 0)));
    EXPECT_EQ(agenda.topLevelItem(3)->child(0)->text(1), "Trip");
    EXPECT_EQ(agenda.topLevelItem(0)->child(0)->text(0), "No appointments");

    // A new appointment shows in the agenda too.
    saveAppointment("Dentist", localAt(2025, 12, 2, 16), 30);
    loop.runPending();
    EXPECT_EQ(agenda.topLevelItem(1)->childCount(), 2);

    QTest::mouseClick(&child<QToolButton>(window, "btnNext"), Qt::LeftButton);
    EXPECT_EQ(agenda.topLevelItem(1)->child(0)->text(1), "Next week");
    window.setView(ExplorerMainWindow::View::List);
    EXPECT_TRUE(table(window).isVisible());
}

TEST_F(ExplorerWindowTest, EachOccurrenceOfARepeatIsMarkedAsOne) {
    // Every other Tuesday from 2 December 2025, a week in the past, and one single lunch.
    auto call = saveAppointment("Call the bank", localAt(2025, 12, 2, 9), 30);
    call->call("GetRecurrencePattern").asObject()->put("Interval", 2);
    call->call("Save");
    saveAppointment("Lunch", localAt(2025, 12, 2, 12), 60);
    ExplorerMainWindow& window = display(olFolderCalendar);
    window.setView(ExplorerMainWindow::View::Week);
    window.showAgendaFrom(QDate(2025, 12, 1));
    auto& agenda = child<QTreeWidget>(window, "treeAgenda");
    ASSERT_EQ(agenda.topLevelItem(1)->childCount(), 2);
    const QTreeWidgetItem* occurrence = agenda.topLevelItem(1)->child(0);
    EXPECT_EQ(occurrence->text(1), "Call the bank");
    EXPECT_FALSE(occurrence->icon(1).isNull());
    EXPECT_EQ(occurrence->toolTip(1), "Repeats every 2 weeks on Tuesday");
    EXPECT_TRUE(agenda.topLevelItem(1)->child(1)->icon(1).isNull());

    // Not the week after; again the week after that, where it opens the item itself.
    QTest::mouseClick(&child<QToolButton>(window, "btnNext"), Qt::LeftButton);
    EXPECT_EQ(agenda.topLevelItem(1)->child(0)->text(0), "No appointments");
    QTest::mouseClick(&child<QToolButton>(window, "btnNext"), Qt::LeftButton);
    ASSERT_EQ(agenda.topLevelItem(1)->childCount(), 1);
    agenda.setCurrentItem(agenda.topLevelItem(1)->child(0));
    auto& properties = child<QTreeWidget>(window, "treeProperties");
    QStringList lines;
    for (int i = 0; i < properties.topLevelItemCount(); ++i)
        lines << properties.topLevelItem(i)->text(0) + ": " + properties.topLevelItem(i)->text(1);
    EXPECT_TRUE(lines.contains("Repeats: every 2 weeks on Tuesday"))
        << lines.join("\n").toStdString();
}

TEST_F(ExplorerWindowTest, AnEmptyFolderSaysWhatWouldBeThereAndHowToAddIt) {
    ExplorerMainWindow& window = display(olFolderCalendar);
    auto& hint = child<QLabel>(window, "lblEmptyFolder");
    EXPECT_TRUE(hint.isVisible());
    EXPECT_FALSE(table(window).isVisible());
    EXPECT_TRUE(hint.text().startsWith("No appointments yet. Press Ctrl+Alt+N"))
        << hint.text().toStdString();
    EXPECT_TRUE(hint.text().contains("lunch with Ann tomorrow at noon"));

    // The list comes back with the first item, and goes again with the last.
    auto lunch = saveAppointment("Lunch", localAt(2026, 12, 8, 12), 60);
    loop.runPending();
    EXPECT_TRUE(table(window).isVisible());
    EXPECT_FALSE(hint.isVisible());
    lunch->call("Delete");
    loop.runPending();
    EXPECT_TRUE(hint.isVisible());

    // The calendar's days say so each on their own.
    window.setView(ExplorerMainWindow::View::Day);
    EXPECT_FALSE(hint.isVisible());
    window.setView(ExplorerMainWindow::View::List);
    EXPECT_TRUE(hint.isVisible());

    display(olFolderContacts);
    EXPECT_TRUE(hint.isVisible());
    EXPECT_TRUE(hint.text().contains("New Contact")) << hint.text().toStdString();
    EXPECT_TRUE(hint.text().contains("jotwise-store import-vcard"));
    saveContact("Ann", "Lee", "");
    loop.runPending();
    EXPECT_FALSE(hint.isVisible());
}

// The note writes "3:00pm" whatever the locale's own clock; the explorer writes the same.
TEST_F(ExplorerWindowTest, TimesReadAsTheNoteWritesThem) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    saveAppointment("Dentist", localAt(2025, 12, 2, 15), 30);
    ExplorerMainWindow& window = display(olFolderCalendar);
    const QString start = cell(window, 0, 1);
    window.setView(ExplorerMainWindow::View::Day);
    window.showAgendaFrom(QDate(2025, 12, 2));
    const QString agendaTime =
        child<QTreeWidget>(window, "treeAgenda").topLevelItem(0)->child(0)->text(0);
    QLocale::setDefault(before);
    EXPECT_TRUE(start.endsWith("  3:00pm")) << start.toStdString();
    EXPECT_TRUE(start.startsWith("02.12.")) << "the date keeps the locale's order";
    EXPECT_EQ(agendaTime, "3:00pm \u2013 3:30pm");
}

TEST_F(ExplorerWindowTest, ARememberedSizeLargerThanTheScreenIsCutToIt) {
    sizes.setSize("Explorer", {5000, 4000});
    ExplorerMainWindow& window = display(olFolderCalendar);
    const QSize room = window.screen()->availableGeometry().size();
    EXPECT_LE(window.width(), room.width());
    // Room is left for the title bar the window manager adds.
    EXPECT_LT(window.height(), room.height() - 10);
}

TEST_F(ExplorerWindowTest, TheExplorerRemembersItsSize) {
    ExplorerMainWindow& window = display(olFolderCalendar);
    window.resize(900, 600);
    window.close();
    EXPECT_EQ(sizes.size("Explorer"), (WindowSize{900, 600}));
}

TEST_F(ExplorerWindowTest, TheDeleteKeyMovesTheSelectedItemsAndCtrlZBringsThemBack) {
    auto lunch = saveAppointment("Lunch", localAt(2026, 12, 8, 12), 60);
    auto dentist = saveAppointment("Dentist", localAt(2026, 12, 9, 15), 30);
    saveAppointment("Yoga", localAt(2026, 12, 10, 18), 60);
    ExplorerMainWindow& window = display(olFolderCalendar);
    QTableView& list = table(window);
    EXPECT_FALSE(action(window, "actRestore").isVisible());
    EXPECT_FALSE(action(window, "actUndo").isEnabled());
    ASSERT_TRUE(window.selectItem(lunch->get("EntryID").asString()));
    press(window, list, Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(window.selectedEntryIds().size(), 2u);

    press(window, list, Qt::Key_Delete);
    EXPECT_EQ(column(window, 0), QStringList{"Yoga"});
    // The next item is selected, ready for the next Delete.
    EXPECT_EQ(child<QLabel>(window, "lblItemTitle").text(), "Yoga");
    EXPECT_EQ(folderOf(lunch), "Deleted Items");
    EXPECT_EQ(folderOf(dentist), "Deleted Items");
    EXPECT_EQ(boxes.shown, 0);
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("2 items moved to Deleted Items"));
    EXPECT_TRUE(action(window, "actUndo").isEnabled());

    press(window, list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(window, 0), (QStringList{"Lunch", "Dentist", "Yoga"}));
    EXPECT_EQ(folderOf(lunch), "Calendar");
    EXPECT_FALSE(action(window, "actUndo").isEnabled());
}

TEST_F(ExplorerWindowTest, DeletedItemsRestoresAndDeletesForGoodOnlyAfterYes) {
    auto lunch = saveAppointment("Lunch", localAt(2026, 12, 8, 12), 60);
    auto ann = saveContact("Ann", "Lee", "ann@example.com");
    lunch->call("Delete");
    ann->call("Delete");
    ExplorerMainWindow& window = display(olFolderDeletedItems);
    QTableView& list = table(window);
    EXPECT_EQ(list.model()->headerData(2, Qt::Horizontal).toString(), "Deleted from");
    QStringList from = column(window, 2);
    from.sort();
    EXPECT_EQ(from, (QStringList{"Calendar", "Contacts"}));
    EXPECT_TRUE(action(window, "actRestore").isVisible());
    EXPECT_TRUE(action(window, "actEmptyDeletedItems").isVisible());

    ASSERT_TRUE(window.selectItem(lunch->get("EntryID").asString()));
    ASSERT_TRUE(action(window, "actRestore").isEnabled());
    action(window, "actRestore").trigger();
    EXPECT_TRUE(window.statusBar()->currentMessage().endsWith("restored to Calendar"))
        << window.statusBar()->currentMessage().toStdString();
    EXPECT_EQ(folderOf(lunch), "Calendar");
    EXPECT_EQ(column(window, 0), QStringList{"Ann Lee"});

    ASSERT_TRUE(window.selectItem(ann->get("EntryID").asString()));
    boxes.answer = platform::MessageAnswer::No;
    press(window, list, Qt::Key_Delete);
    EXPECT_EQ(boxes.shown, 1);
    EXPECT_EQ(boxes.lastText, "Delete \u201CAnn Lee\u201D for good?\n\nThis cannot be undone.");
    EXPECT_EQ(folderOf(ann), "Deleted Items");
    boxes.answer = platform::MessageAnswer::Yes;
    press(window, list, Qt::Key_Delete);
    EXPECT_EQ(countIn(olFolderDeletedItems), 0);
    EXPECT_THROW(stored(ann), AutomationError);
    EXPECT_EQ(child<QLabel>(window, "lblEmptyFolder").isVisible(), true);
}

TEST_F(ExplorerWindowTest, EmptyDeletedItemsAsksFirst) {
    for (const char* subject : {"One", "Two", "Three"})
        saveAppointment(subject, localAt(2026, 12, 8, 12), 60)->call("Delete");
    ExplorerMainWindow& window = display(olFolderCalendar);
    EXPECT_FALSE(action(window, "actEmptyDeletedItems").isVisible());
    display(olFolderDeletedItems);
    action(window, "actEmptyDeletedItems").trigger();
    EXPECT_EQ(boxes.lastText,
              "Delete all 3 items in Deleted Items for good?\n\nThis cannot be undone.");
    EXPECT_EQ(countIn(olFolderDeletedItems), 3);
    boxes.answer = platform::MessageAnswer::Yes;
    action(window, "actEmptyDeletedItems").trigger();
    EXPECT_EQ(countIn(olFolderDeletedItems), 0);
    EXPECT_FALSE(action(window, "actEmptyDeletedItems").isEnabled());
}

// Dates near today, so that the agenda shows the week a user would see.
class ExplorerPictures : public ExplorerWindowTest {
protected:
    void SetUp() override {
        ExplorerWindowTest::SetUp();
        const QDate now = QDate::currentDate();
        const local_days today(year{now.year()} / unsigned(now.month()) / unsigned(now.day()));
        const auto at = [&](int day, int hour, int minute = 0) {
            return local_seconds(today + days(day)) + hours(hour) + minutes(minute);
        };
        auto ann = saveContact("Ann", "Lee", "ann.lee@example.com", "Acme Corporation");
        ann->put("JobTitle", "Purchasing manager");
        ann->put("BusinessAddressCity", "Springfield");
        ann->put("Body", "Prefers calls before noon.");
        ann->call("Save");
        annId = ann->get("EntryID").asString();
        saveContact("Bob", "Stone", "bob@stone-sons.example", "Stone & Sons");
        saveContact("Carla", "Moss", "carla.moss@example.org", "Moss Design");
        saveContact("Dev", "Patel", "dev@patel.example", "Northwind Traders");
        saveContact("Eva", "Green", "", "Evergreen Gardens");
        auto lunch = saveAppointment("Lunch with Ann Lee", at(0, 12), 60, "Business");
        lunch->put("Body", "Talk about the spring catalogue.");
        lunch->put("Location", "Corner Bistro");
        lunch->get("Recipients").asObject()->call("Add", {"Ann Lee"});
        lunch->get("Attachments")
            .asObject()
            ->call("Add", {ann, static_cast<std::int32_t>(olByReference)});
        lunch->call("Save");
        // Repeats, marked on each of their days in the week view.
        auto standup = saveAppointment("Team stand-up", at(0, 9), 15, "Business");
        standup->call("GetRecurrencePattern").asObject()->put("DayOfWeekMask", 62);
        standup->call("Save");
        saveAppointment("Dentist", at(1, 15, 30), 45, "Personal");
        auto review = saveAppointment("Budget review", at(2, 10), 90, "Business; Key Customer");
        review->put("Location", "Room 4.12");
        review->call("Save");
        auto bank = saveAppointment("Call the bank", at(3, 9), 30, "Personal");
        bank->call("GetRecurrencePattern").asObject()->put("Interval", 2);
        bank->call("Save");
        saveAppointment("Yoga", at(4, 18), 60, "Personal");
        lunchId = lunch->get("EntryID").asString();
        const auto task = [&](const char* subject, int day, std::int32_t status) {
            auto item = createItem(olTaskItem);
            item->put("Subject", subject);
            item->put("DueDate", oleAt(at(day, 0)));
            item->put("Status", status);
            item->put("Categories", "Business");
            item->call("Save");
            return item->get("EntryID").asString();
        };
        taskId = task("Send the budget figures", 1, olTaskInProgress);
        task("Book the fair stand", 3, olTaskNotStarted);
        task("Renew the insurance", -1, olTaskComplete);
    }
    std::string lunchId;
    std::string annId;
    std::string taskId;
};

TEST_F(ExplorerPictures, PicturesOfTheCalendarTasksAndContacts) {
    ExplorerMainWindow& window = display(olFolderCalendar);
    window.resize(1040, 660);
    ASSERT_TRUE(window.selectItem(lunchId));
    keep(window, "explorer_calendar.png");

    window.setView(ExplorerMainWindow::View::Week);
    ASSERT_TRUE(window.selectItem(lunchId));
    keep(window, "explorer_calendar_week.png");
    window.setView(ExplorerMainWindow::View::List);

    display(olFolderTasks);
    keep(window, "explorer_tasks.png");

    display(olFolderContacts);
    ASSERT_TRUE(window.selectItem(annId));
    keep(window, "explorer_contacts.png");
}

TEST_F(ExplorerPictures, TheOutboxSaysWhyEachItemWaits) {
    for (const char* subject : {"The budget figures", "Minutes of Monday's meeting"}) {
        auto mail = createItem(olMailItem);
        mail->put("Subject", subject);
        mail->get("Recipients").asObject()->call("Add", {"Ann Lee"});
        mail->call("Send", {});
    }
    transport::MailSetup refused;
    refused.command =
        "cat >/dev/null; echo 'msmtp: cannot connect to smtp.example.org, port 587: "
        "Connection refused' >&2; exit 69";
    transport::OutboxSender(store(), refused).sendWaiting();
    ExplorerMainWindow& window = display(olFolderOutbox);
    window.resize(1040, 660);
    ASSERT_EQ(table(window).model()->rowCount(), 2);
    EXPECT_EQ(table(window).model()->headerData(2, Qt::Horizontal).toString(), "Not sent because");
    EXPECT_EQ(cell(window, 0, 2),
              "msmtp: cannot connect to smtp.example.org, port 587: Connection refused");
    keep(window, "explorer_outbox.png");
}

// A full folder, an empty one and the agenda, at the sizes users pick and in the dark.
TEST_F(ExplorerPictures, EveryTextFitsAtEveryFontSizeAndInTheDark) {
    const auto render = [&](const std::string& name) {
        // A window of its own, made under the font and palette of the moment.
        windows.reset();
        QCoreApplication::processEvents();
        windows = installStoreWindows(outlook(), nullptr, &sizes, &boxes);
        ExplorerMainWindow& window = display(olFolderCalendar);
        const auto check = [&](const std::string& view) {
            // A label shown grows the window's minimum, the window grows, then its contents
            // are laid out again: each step is an event of its own.
            for (int step = 0; step < 3; ++step)
                QCoreApplication::processEvents();
            EXPECT_EQ(jotwise::testing::clippedTexts(window), std::vector<std::string>())
                << name << " " << view;
            keep(window, ("explorer_" + view + "_" + name + ".png").c_str());
        };
        ASSERT_TRUE(window.selectItem(lunchId));
        check("calendar");
        window.setView(ExplorerMainWindow::View::Week);
        check("week");
        window.setView(ExplorerMainWindow::View::List);
        display(olFolderNotes);
        check("empty");
        window.close();
    };
    for (int points : {9, 11, 14}) {
        const jotwise::testing::ApplicationFontSize font(points);
        render(std::to_string(points) + "pt");
    }
    const jotwise::testing::DarkPalette dark;
    render("dark");
}

// Deleted Items with what was deleted from where, its actions, and the last delete to undo.
TEST_F(ExplorerPictures, DeletedItemsAtEveryFontSizeAndInTheDark) {
    const auto render = [&](const std::string& name) {
        windows.reset();
        QCoreApplication::processEvents();
        windows = installStoreWindows(outlook(), nullptr, &sizes, &boxes);
        // Deleted afresh each time: the explorer made now has the delete to undo.
        windows->explorer().window();
        ItemTrash& trash = *windows->explorer().model().trash();
        for (const std::string& entryId : {taskId, annId, lunchId})
            ASSERT_TRUE(trash.moveToDeletedItems({entryId}).done());
        ExplorerMainWindow& window = display(olFolderDeletedItems);
        window.resize(1040, 660);
        ASSERT_TRUE(window.selectItem(lunchId));
        // The pointer away from the tool bar, whose first button it would light up.
        QTest::mouseMove(&window, QPoint(window.width() / 2, window.height() - 40));
        for (int step = 0; step < 3; ++step)
            QCoreApplication::processEvents();
        EXPECT_EQ(jotwise::testing::clippedTexts(window), std::vector<std::string>()) << name;
        keep(window, ("explorer_deleted_" + name + ".png").c_str());
        ASSERT_TRUE(trash.restore({lunchId, annId, taskId}).done());
        window.close();
    };
    for (int points : {9, 11}) {
        const jotwise::testing::ApplicationFontSize font(points);
        render(std::to_string(points) + "pt");
    }
    const jotwise::testing::DarkPalette dark;
    render("dark");
}

}  // namespace
}  // namespace outlook::local::testing
