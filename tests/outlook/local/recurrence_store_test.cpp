// Repeating appointments and tasks in the local store: the RecurrencePattern of the object
// model, what Save makes of it, and how the store keeps it.

#include <gtest/gtest.h>

#include "outlook/local/sqlite/database.h"
#include "outlook/local/store/recurrence_property.h"
#include "outlook/local/store/store.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/pattern_properties.h"
#include "tests/outlook/local/repeating_items.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;

OleDate ole(local_seconds time) {
    return OleDateFromLocal(time_point_cast<milliseconds>(time));
}

local_seconds localOf(const Variant& date) {
    return LocalFromOleDate(date.asDate());
}

class RepeatingItems : public LocalStoreFixture {
protected:
    // "Call the bank", Monday 1 March 2027 10:00 to 10:45, not saved.
    DispatchPtr bankCall() {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", "Call the bank");
        item->put("Start", ole(dayOf(2027, 3, 1) + hours(10)));
        item->put("Duration", 45);
        return item;
    }
    DispatchPtr reloaded(const DispatchPtr& item) {
        reopen();
        return mapiNamespace()->call("GetItemFromID", {item->get("EntryID").asString()}).asObject();
    }
    std::int64_t namedPropertyCount() {
        return store().db().queryInt("SELECT COUNT(*) FROM named_props");
    }
};

TEST_F(RepeatingItems, ANewPatternIsWeeklyOnTheStartDayAtTheItemsTimes) {
    auto call = bankCall();
    EXPECT_FALSE(call->get("IsRecurring").asBool());
    const DispatchPtr pattern = call->call("GetRecurrencePattern").asObject();
    const RecurrenceFields p = GetRecurrencePattern(*pattern);
    EXPECT_EQ(p.recurrenceType, olRecursWeekly);
    EXPECT_EQ(p.interval, 1);
    EXPECT_EQ(p.dayOfWeekMask, olMonday);
    EXPECT_EQ(p.patternStartDate, dayOf(2027, 3, 1));
    EXPECT_TRUE(p.noEndDate);
    EXPECT_EQ(p.startTime, minutes(10 * 60));
    EXPECT_EQ(p.endTime, minutes(10 * 60 + 45));
    EXPECT_EQ(p.duration, 45);
    // Without an end, the end date is the object model's "no date".
    EXPECT_GE(pattern->get("PatternEndDate").asDate().serial, 949998.0);

    // A task's repeat starts on its due day; one without a due date on today.
    auto task = createItem(olTaskItem);
    task->put("DueDate", ole(dayOf(2027, 3, 5)));
    EXPECT_EQ(GetRecurrencePattern(*task->call("GetRecurrencePattern").asObject()).dayOfWeekMask,
              olFriday);
    auto undated = createItem(olTaskItem);
    const auto today = floor<days>(LocalFromOleDate(OleDateNow()));
    EXPECT_EQ(
        GetRecurrencePattern(*undated->call("GetRecurrencePattern").asObject()).patternStartDate,
        today);
}

TEST_F(RepeatingItems, APatternIsKeptWithTheItemAndSavedWithIt) {
    auto call = bankCall();
    call->call("Save");
    ASSERT_TRUE(call->get("Saved").asBool());
    const DispatchPtr pattern = call->call("GetRecurrencePattern").asObject();
    pattern->put("Interval", 2);
    EXPECT_FALSE(call->get("Saved").asBool()) << "a change to the pattern is a change to the item";
    // Another pattern object of the same item sees the change: the item holds it.
    EXPECT_EQ(call->call("GetRecurrencePattern").asObject()->get("Interval").asInt(), 2);
    // Not in the store before Save.
    EXPECT_FALSE(reloaded(call)->get("IsRecurring").asBool());

    call = bankCall();
    fileRepeating(call, everyOtherTuesday(dayOf(2027, 3, 2)));
    EXPECT_TRUE(call->get("IsRecurring").asBool());
    auto again = reloaded(call);
    EXPECT_TRUE(again->get("IsRecurring").asBool());
    EXPECT_EQ(GetRecurrencePattern(*again->call("GetRecurrencePattern").asObject()),
              GetRecurrencePattern(*call->call("GetRecurrencePattern").asObject()));
    EXPECT_EQ(again->call("GetRecurrencePattern").asObject()->get("DayOfWeekMask").asInt(),
              olTuesday);
    EXPECT_EQ(errorOf([&] { again->put("IsRecurring", false); }),
              "Property 'IsRecurring' is read-only");

    again->call("ClearRecurrencePattern");
    EXPECT_FALSE(again->get("IsRecurring").asBool());
    again->call("Save");
    EXPECT_FALSE(reloaded(again)->get("IsRecurring").asBool());
}

TEST_F(RepeatingItems, SaveMovesAnAppointmentToItsFirstOccurrenceAndATaskToItsDay) {
    // Filed on Monday for "every other Tuesday at 9": the item becomes Tuesday 9:00-9:30.
    auto call = bankCall();
    fileRepeating(call, everyOtherTuesday(dayOf(2027, 3, 2)));
    EXPECT_EQ(localOf(call->get("Start")), dayOf(2027, 3, 2) + hours(9));
    EXPECT_EQ(localOf(call->get("End")), dayOf(2027, 3, 2) + hours(9) + minutes(30));
    EXPECT_EQ(call->get("Duration").asInt(), 30);

    // A task is due on the first occurrence, at its own time of day.
    auto task = createItem(olTaskItem);
    task->put("Subject", "Pay the rent");
    task->put("DueDate", ole(dayOf(2027, 2, 20)));
    RecurrenceFields monthly;
    monthly.recurrenceType = olRecursMonthly;
    monthly.dayOfMonth = 1;
    monthly.patternStartDate = dayOf(2027, 2, 20);
    fileRepeating(task, monthly);
    EXPECT_EQ(localOf(task->get("DueDate")), local_seconds(dayOf(2027, 3, 1)));
    // A due date on an occurrence stays where it is.
    task->put("DueDate", ole(dayOf(2027, 5, 1)));
    task->call("Save");
    EXPECT_EQ(localOf(task->get("DueDate")), local_seconds(dayOf(2027, 5, 1)));

    // Moving a repeating appointment moves the times of its repeat.
    call->put("Start", ole(dayOf(2027, 3, 2) + hours(14)));
    const RecurrenceFields moved =
        GetRecurrencePattern(*call->call("GetRecurrencePattern").asObject());
    EXPECT_EQ(moved.startTime, minutes(14 * 60));
    EXPECT_EQ(moved.duration, 30);
    call->call("Save");
    EXPECT_EQ(localOf(call->get("Start")), dayOf(2027, 3, 2) + hours(14));
}

TEST_F(RepeatingItems, SettingsFollowTheObjectModel) {
    auto call = bankCall();
    const DispatchPtr pattern = call->call("GetRecurrencePattern").asObject();
    pattern->put("Occurrences", 6);
    EXPECT_FALSE(pattern->get("NoEndDate").asBool());
    EXPECT_EQ(pattern->get("Occurrences").asInt(), 6);
    // The end date of a counted repeat is its last occurrence: six Mondays from 1 March.
    EXPECT_EQ(localOf(pattern->get("PatternEndDate")), local_seconds(dayOf(2027, 4, 5)));

    pattern->put("PatternEndDate", ole(dayOf(2027, 6, 30)));
    EXPECT_FALSE(pattern->get("NoEndDate").asBool());
    EXPECT_EQ(pattern->get("Occurrences").asInt(), 0);
    EXPECT_EQ(localOf(pattern->get("PatternEndDate")), local_seconds(dayOf(2027, 6, 30)));

    pattern->put("NoEndDate", true);
    EXPECT_EQ(pattern->get("Occurrences").asInt(), 0);
    EXPECT_GE(pattern->get("PatternEndDate").asDate().serial, 949998.0);

    // A new type starts from that type's defaults for the pattern's start, Monday 1 March.
    pattern->put("RecurrenceType", std::int32_t{olRecursMonthNth});
    EXPECT_EQ(pattern->get("Instance").asInt(), 1);
    EXPECT_EQ(pattern->get("DayOfWeekMask").asInt(), olMonday);
    pattern->put("RecurrenceType", std::int32_t{olRecursYearly});
    EXPECT_EQ(pattern->get("DayOfMonth").asInt(), 1);
    EXPECT_EQ(pattern->get("MonthOfYear").asInt(), 3);
    EXPECT_EQ(pattern->get("DayOfWeekMask").asInt(), 0);

    // The times of day: StartTime keeps the length, EndTime and Duration set each other.
    pattern->put("StartTime", OleDate{11.0 / 24});
    EXPECT_EQ(pattern->get("Duration").asInt(), 45);
    EXPECT_DOUBLE_EQ(pattern->get("EndTime").asDate().serial, (11.0 + 0.75) / 24);
    pattern->put("Duration", 90);
    EXPECT_DOUBLE_EQ(pattern->get("EndTime").asDate().serial, 12.5 / 24);
    pattern->put("EndTime", OleDate{12.0 / 24});
    EXPECT_EQ(pattern->get("Duration").asInt(), 60);
}

TEST_F(RepeatingItems, ValuesNoRepeatCanHaveAreRefusedAndNotKept) {
    auto call = bankCall();
    const DispatchPtr pattern = call->call("GetRecurrencePattern").asObject();
    const RecurrenceFields before = GetRecurrencePattern(*pattern);
    const auto refused = [&](const char* property, const Variant& value) {
        return errorOf([&] { pattern->put(property, value); });
    };
    EXPECT_NE(refused("Interval", 0).find("'Interval'"), std::string::npos);
    EXPECT_NE(refused("Interval", -2).find("'Interval'"), std::string::npos);
    EXPECT_NE(refused("DayOfWeekMask", 0).find("'DayOfWeekMask'"), std::string::npos);
    EXPECT_NE(refused("DayOfWeekMask", 128).find("'DayOfWeekMask'"), std::string::npos);
    EXPECT_NE(refused("RecurrenceType", 4).find("'RecurrenceType'"), std::string::npos);
    EXPECT_NE(refused("Occurrences", 0).find("'Occurrences'"), std::string::npos);
    EXPECT_NE(refused("Duration", -1).find("'Duration'"), std::string::npos);
    EXPECT_NE(refused("PatternEndDate", ole(dayOf(2027, 2, 1))).find("'PatternEndDate'"),
              std::string::npos);
    EXPECT_NE(refused("Interval", "2").find("Type mismatch"), std::string::npos);
    EXPECT_NE(refused("Frequency", 1).find("no property 'Frequency'"), std::string::npos);
    EXPECT_EQ(GetRecurrencePattern(*pattern), before);

    pattern->put("RecurrenceType", std::int32_t{olRecursMonthly});
    EXPECT_NE(refused("DayOfMonth", 0).find("'DayOfMonth'"), std::string::npos);
    EXPECT_NE(refused("DayOfMonth", 32).find("'DayOfMonth'"), std::string::npos);
    EXPECT_EQ(pattern->get("DayOfMonth").asInt(), 1);
    // A weekly repeat has no day of the month, so 0 is what it holds there, as the pattern
    // helper writes it.
    pattern->put("RecurrenceType", std::int32_t{olRecursWeekly});
    pattern->put("DayOfMonth", 0);

    // A yearly day that its month never has fails the item's Save, not the single setting.
    pattern->put("RecurrenceType", std::int32_t{olRecursYearly});
    pattern->put("MonthOfYear", 2);
    pattern->put("DayOfMonth", 30);
    EXPECT_NE(errorOf([&] { call->call("Save"); }).find("'DayOfMonth'"), std::string::npos);
    EXPECT_TRUE(call->get("EntryID").asString().empty());
}

TEST_F(RepeatingItems, OnlyAppointmentsAndTasksRepeat) {
    auto mail = createItem(olMailItem);
    EXPECT_NE(errorOf([&] { mail->call("GetRecurrencePattern"); }).find("not supported"),
              std::string::npos);
    EXPECT_NE(errorOf([&] { mail->get("IsRecurring"); }).find("Unknown property"),
              std::string::npos);
    auto call = bankCall();
    EXPECT_NE(errorOf([&] { call->call("GetRecurrencePattern", {1}); }).find("Wrong number"),
              std::string::npos);
}

TEST_F(RepeatingItems, AStoreThatNeverKeptARepeatOpensAsItWas) {
    auto call = bankCall();
    call->call("Save");
    const std::int64_t names = namedPropertyCount();
    EXPECT_FALSE(findRecurrenceTag(store()));
    // Reading it, and reading whether it repeats, writes nothing into the store.
    auto again = reloaded(call);
    EXPECT_FALSE(again->get("IsRecurring").asBool());
    EXPECT_EQ(namedPropertyCount(), names);
    EXPECT_FALSE(findRecurrenceTag(store()));

    // The first repeat saved gives the property its id.
    fileRepeating(again, everyOtherTuesday(dayOf(2027, 3, 2)));
    EXPECT_EQ(namedPropertyCount(), names + 1);
    EXPECT_TRUE(findRecurrenceTag(store()));
}

TEST_F(RepeatingItems, ARepeatWhoseTextCannotBeReadIsASingleItem) {
    auto call = bankCall();
    fileRepeating(call, everyOtherTuesday(dayOf(2027, 3, 2)));
    const auto ref = store().parse(*mapi::FBinFromHex(call->get("EntryID").asString()));
    auto record = store().loadItem(ref->row);
    record->props.setString(recurrenceTag(store()), "RecurrenceType=9;PatternStartDate=2027-03-02");
    store().saveItem(*record);
    EXPECT_FALSE(reloaded(call)->get("IsRecurring").asBool());
}

TEST(RecurrenceText, KeepsEveryFieldAndRefusesWhatIsNotAPattern) {
    RecurrenceFields p = everyOtherTuesday(dayOf(2027, 3, 2));
    EXPECT_EQ(recurrenceFromText(recurrenceText(p)), p);
    p.noEndDate = false;
    p.patternEndDate = dayOf(2027, 12, 31);
    EXPECT_EQ(recurrenceFromText(recurrenceText(p)), p);
    p.occurrences = 7;
    p.patternEndDate = {};
    EXPECT_EQ(recurrenceFromText(recurrenceText(p)), p);
    RecurrenceFields yearNth;
    yearNth.recurrenceType = olRecursYearNth;
    yearNth.instance = 5;
    yearNth.dayOfWeekMask = olThursday;
    yearNth.monthOfYear = 11;
    yearNth.patternStartDate = dayOf(2026, 11, 26);
    EXPECT_EQ(recurrenceFromText(recurrenceText(yearNth)), yearNth);

    // A later version may add fields; this one reads past them.
    EXPECT_TRUE(recurrenceFromText(recurrenceText(yearNth) + ";Exceptions=2027-11-25"));
    for (const char* bad :
         {"", "garbage", "RecurrenceType=1", "PatternStartDate=2027-03-02",
          "RecurrenceType=1;DayOfWeekMask=4;PatternStartDate=2027-02-30",
          "RecurrenceType=1;DayOfWeekMask=4;PatternStartDate=2027-03-02;Interval=x",
          "RecurrenceType=1;DayOfWeekMask=0;PatternStartDate=2027-03-02",
          "RecurrenceType=2;DayOfMonth=40;PatternStartDate=2027-03-02",
          "RecurrenceType=1;DayOfWeekMask=4;PatternStartDate=2027-03-02;Interval=99999999999"})
        EXPECT_FALSE(recurrenceFromText(bad)) << bad;
}

}  // namespace
}  // namespace outlook::local::testing
