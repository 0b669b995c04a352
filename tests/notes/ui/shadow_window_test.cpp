#include "notes/ui/shadow_window.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include "notes/ui/contact_list_model.h"
#include "notes/ui/date_box.h"
#include "tests/notes/ui/note_window_fixture.h"

namespace notes::ui::testing {
namespace {

class ShadowWindowTest : public NoteWindowTest {
protected:
    // Puts the focus in a field of the shadow, as a click into it would.
    void enter(JotPadWindow& note, QWidget& field) {
        note.shadowWindow().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&note.shadowWindow()));
        field.setFocus(Qt::MouseFocusReason);
    }
};

TEST_F(ShadowWindowTest, ATimeTheUserTypesIsKeptAndTidiedWhenTheFieldIsLeft) {
    JotPadWindow& note = openNote();
    QTest::keyClicks(&memo(note), "lunch with ann");
    auto& start = shadowCombo(note, "comboStart");
    enter(note, start);
    QTest::keyClicks(&start, "9");
    EXPECT_TRUE(note.logic().Shadow().startEdited);
    EXPECT_EQ(start.currentText(), "9");
    EXPECT_EQ(shadowCombo(note, "comboEnd").currentText(), "10:00am");

    shadowCombo(note, "comboEnd").setFocus(Qt::TabFocusReason);
    EXPECT_EQ(start.currentText(), "9:00am");

    note.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note));
    memo(note).setFocus();
    QTest::keyClicks(&memo(note), " at noon");
    EXPECT_EQ(start.currentText(), "9:00am");
    EXPECT_EQ(typeShown(note), "Appointment");
}

TEST_F(ShadowWindowTest, PickingATimeFromTheListIsTheUsersChoice) {
    JotPadWindow& note = openNote();
    auto& end = shadowCombo(note, "comboEnd");
    ASSERT_EQ(end.count(), 48);
    EXPECT_EQ(end.itemText(0), "12:00am");
    EXPECT_EQ(end.itemText(19), "9:30am");
    EXPECT_EQ(end.itemText(24), "12:00pm");
    EXPECT_EQ(end.itemText(47), "11:30pm");
    end.setCurrentIndex(20);
    emit end.activated(20);
    EXPECT_TRUE(note.logic().Shadow().endEdited);
    EXPECT_EQ(note.logic().Shadow().EndText(), "10:00am");
}

TEST_F(ShadowWindowTest, AContactChosenOrDeletedInTheListIsTheUsers) {
    addContact("Bob", "Stone");
    settle();
    JotPadWindow& note = openNote();
    auto& contacts = shadowCombo(note, "comboContact");
    ASSERT_EQ(contacts.count(), 3);  // the empty entry first
    EXPECT_EQ(contacts.itemText(0), "");
    EXPECT_EQ(contacts.itemText(1), "Lee, Ann");

    contacts.setCurrentIndex(1);
    emit contacts.activated(1);
    EXPECT_TRUE(note.logic().Shadow().contactChosen);
    EXPECT_EQ(note.logic().Shadow().SelectedContact(), annKey);
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "imgContactOn").isVisible());

    enter(note, contacts);
    QTest::keyClick(&contacts, Qt::Key_Delete);
    EXPECT_EQ(note.logic().Shadow().SelectedContact(), "");
    EXPECT_EQ(contacts.currentIndex(), 0);
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "imgContactOff").isVisible());
}

TEST_F(ShadowWindowTest, ACategoryTypedIsTheUsersAndSurvivesTheNextParse) {
    JotPadWindow& note = openNote();
    auto& category = shadowCombo(note, "comboCategory");
    EXPECT_EQ(category.count(), 3);
    enter(note, category);
    QTest::keyClicks(&category, "Holiday");
    EXPECT_TRUE(note.logic().Shadow().categoryChosen);
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "imgCategoryOn").isVisible());

    note.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&note));
    memo(note).setFocus();
    QTest::keyClicks(&memo(note), "pack");
    EXPECT_EQ(category.currentText(), "Holiday");
}

TEST_F(ShadowWindowTest, ADateTypedIntoTheBoxIsTheUsers) {
    JotPadWindow& note = openNote();
    auto& date = child<DateBox>(note.shadowWindow(), "csDate");
    enter(note, date);
    const std::string day = todayPlus(3);
    QTest::keyClicks(&date, QString::fromStdString(day));
    EXPECT_TRUE(note.logic().Shadow().dateEdited);
    EXPECT_EQ(note.logic().Shadow().DateText(), day);
    EXPECT_TRUE(child<QLabel>(note.shadowWindow(), "imgDateTimeOn").isVisible());
}

TEST_F(ShadowWindowTest, TheWeekdayBesideTheDateFollowsItTypedPickedOrParsed) {
    JotPadWindow& note = openNote();
    auto& weekday = child<QLabel>(note.shadowWindow(), "lblWeekday");
    const auto dayName = [](int isoDay) {
        return QLocale::system().dayName(isoDay, QLocale::ShortFormat);
    };
    EXPECT_EQ(weekday.text(), "");

    QTest::keyClicks(&memo(note), "lunch next thursday");
    ASSERT_NE(note.logic().Shadow().DateText(), "");
    EXPECT_EQ(weekday.text(), dayName(4));

    auto& date = child<DateBox>(note.shadowWindow(), "csDate");
    enter(note, date);
    date.selectAll();
    QTest::keyClicks(
        &date, QString::fromStdString(platform::formatShortDate(
                   context->dateFormat,
                   std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12},
                                               std::chrono::day{17}})));
    EXPECT_EQ(weekday.text(), dayName(4));
    emit date.calendar()->activated(QDate(2026, 12, 19));
    EXPECT_EQ(weekday.text(), dayName(6));
    date.selectAll();
    QTest::keyClick(&date, Qt::Key_Backspace);
    EXPECT_EQ(weekday.text(), "");
}

TEST_F(ShadowWindowTest, RefusesToCloseOnItsOwn) {
    JotPadWindow& note = openNote();
    EXPECT_FALSE(note.shadowWindow().close());
    EXPECT_TRUE(note.shadowWindow().isVisible());
}

// ---- The date box on its own ----

TEST(DateBox, APickedDayIsOneUserChangeInTheShortFormat) {
    DateBox box(platform::ShortDateFormat{platform::DateOrder::DayMonthYear, "."});
    QSignalSpy edited(&box, &DateBox::dateEdited);
    box.setText("1.2.2026");
    EXPECT_EQ(edited.count(), 0);

    box.showCalendar();
    EXPECT_TRUE(box.calendar()->isVisible());
    EXPECT_EQ(box.calendar()->selectedDate(), QDate(2026, 2, 1));
    emit box.calendar()->clicked(QDate(2026, 3, 14));
    EXPECT_FALSE(box.calendar()->isVisible());
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), "14.3.2026");
    EXPECT_EQ(box.text(), "14.3.2026");
}

TEST(DateBox, TypingIsAUserChangeAndAnEmptyBoxIsAllowed) {
    DateBox box(platform::ShortDateFormat{});
    QSignalSpy edited(&box, &DateBox::dateEdited);
    QTest::keyClicks(&box, "3/4");
    ASSERT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.at(2).at(0).toString(), "3/4");
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(edited.last().at(0).toString(), "");
}

// ---- The contact list ----

TEST(ContactListModel, FindsRowsByKeyAndKeysByRowAroundTheEmptyEntry) {
    ContactListModel model;
    model.setContacts({{"Lee, Ann", "k1"}, {"Stone, Bob", "k2"}});
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.rowOf("k2"), 2);
    EXPECT_EQ(model.rowOf(""), 0);
    EXPECT_EQ(model.rowOf("gone"), 0);
    EXPECT_EQ(model.keyAt(1), "k1");
    EXPECT_EQ(model.keyAt(0), "");
    EXPECT_EQ(model.keyAt(3), "");
    EXPECT_EQ(model.data(model.index(2), Qt::DisplayRole).toString(), "Stone, Bob");

    model.setContacts({{"Stone, Bob", "k2"}});
    EXPECT_EQ(model.rowOf("k1"), 0);
    EXPECT_EQ(model.rowOf("k2"), 1);
}

}  // namespace
}  // namespace notes::ui::testing
