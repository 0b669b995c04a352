// Repeating items in the mirror as calendar programs read them: khal lists each occurrence
// where the store's own expansion puts it, at its time of day on both sides of a
// daylight-saving change, and todoman lists a repeating task.

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "outlook/recurrence/occurrences.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"
#include "tests/outlook/local/repeating_items.h"
#include "tests/parser/process.h"

namespace outlook::local::testing {
namespace {

using namespace std::chrono;
using sentex::testing::runCommand;
using sentex::testing::shellQuote;

bool installed(const std::string& program) {
    return runCommand("command -v " + program + " >/dev/null 2>&1").exitCode == 0;
}

std::string isoDate(local_days day) {
    const year_month_day d(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(d.year()), unsigned(d.month()),
                  unsigned(d.day()));
    return text;
}

class RepeatClients : public MirrorFixture {
protected:
    fs::path clientBase() const { return temp.path() / "clients"; }

    // Runs a client with its settings, data and cache in the test's folder.
    sentex::testing::ProcessOutput runClient(const std::string& command) {
        const fs::path base = clientBase();
        return runCommand("env HOME=" + shellQuote((base / "home").string()) +
                          " XDG_CONFIG_HOME=" + shellQuote((base / "config").string()) +
                          " XDG_DATA_HOME=" + shellQuote((base / "data").string()) +
                          " XDG_CACHE_HOME=" + shellQuote((base / "cache").string()) +
                          " LC_ALL=C.UTF-8 " + command + " 2>&1");
    }
    void writeFile(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // khal with the mirror's calendar as its one calendar, in `zone`.
    void configureKhal(const std::string& zone) {
        writeFile(clientBase() / "config" / "khal" / "config",
                  "[calendars]\n[[jotwise]]\npath = " + (root() / "calendar").string() +
                      "\ntype = calendar\nreadonly = True\n"
                      "[locale]\nlocal_timezone = " +
                      zone + "\ndefault_timezone = " + zone +
                      "\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\n"
                      "longdateformat = %Y-%m-%d\ndatetimeformat = %Y-%m-%d %H:%M\n"
                      "longdatetimeformat = %Y-%m-%d %H:%M\n");
    }
    // "YYYY-MM-DD HH:MM" of each event khal lists from `from` for `span` days.
    std::vector<std::string> khalStarts(local_days from, const std::string& span) {
        const auto listed = runClient("khal list --format " + shellQuote("@{start} {title}") + " " +
                                      isoDate(from) + " " + span);
        EXPECT_EQ(listed.exitCode, 0) << listed.out;
        std::vector<std::string> starts;
        const std::regex line(R"(@(\d{4}-\d\d-\d\d(?: \d\d:\d\d)?) )");
        for (auto it = std::sregex_iterator(listed.out.begin(), listed.out.end(), line);
             it != std::sregex_iterator(); ++it)
            starts.push_back((*it)[1]);
        return starts;
    }

    // The checks for "every other tuesday call the bank at 9am" from `firstTuesday` on, over
    // five weeks from the Monday before, whichever way the item reached the store.
    void expectEveryOtherTuesdayAtNine(local_days firstTuesday) {
        configureKhal("America/New_York");
        const local_days monday = firstTuesday - days(1);
        EXPECT_EQ(khalStarts(monday, "35d"),
                  (std::vector<std::string>{isoDate(firstTuesday) + " 09:00",
                                            isoDate(firstTuesday + weeks(2)) + " 09:00",
                                            isoDate(firstTuesday + weeks(4)) + " 09:00"}));
        // Nothing on the Tuesday between.
        EXPECT_TRUE(khalStarts(firstTuesday + weeks(1), "1d").empty());
    }
};

TEST_F(RepeatClients, KhalListsEveryOtherTuesdayAndNotTheTuesdaysBetween) {
    if (!installed("khal")) GTEST_SKIP() << "khal is not installed (scripts/install-deps.sh)";
    startMirror();
    auto call = createItem(olAppointmentItem);
    call->put("Subject", "call the bank");
    fileRepeating(call, everyOtherTuesday(dayOf(2027, 3, 2)));
    flush();
    expectEveryOtherTuesdayAtNine(dayOf(2027, 3, 2));
}

#ifdef JOTWISE_PROGRAM_PATH  // the program is built only with its windows
// The whole way: the sentence typed to `jotwise add`, filed by the program into its profile's
// store, mirrored, and read back by khal.
TEST_F(RepeatClients, KhalListsEveryOtherTuesdayFiledByJotwiseAdd) {
    if (!installed("khal")) GTEST_SKIP() << "khal is not installed (scripts/install-deps.sh)";
    const std::string profile =
        "TZ=America/New_York XDG_CONFIG_HOME=" +
        shellQuote((temp.path() / "profile" / "config").string()) +
        " XDG_DATA_HOME=" + shellQuote((temp.path() / "profile" / "data").string()) + " ";
    ASSERT_EQ(runCommand(profile + JOTWISE_STORE_PATH + " mirror --to " +
                         shellQuote(root().string()) + " >/dev/null")
                  .exitCode,
              0);
    // The parser's "every other tuesday" begins on the coming Tuesday, today if it is one.
    const auto today = runCommand("TZ=America/New_York date +%F.%u").out;
    const int year = std::stoi(today.substr(0, 4));
    const unsigned month = std::stoul(today.substr(5, 2)),
                   dayOfMonth = std::stoul(today.substr(8, 2));
    const int isoWeekday = std::stoi(today.substr(11, 1));
    const local_days tuesday = dayOf(year, month, dayOfMonth) + days((2 - isoWeekday + 7) % 7);
    const auto filed = runCommand(profile + JOTWISE_PROGRAM_PATH +
                                  " add every other tuesday call the bank at 9am 2>&1");
    ASSERT_EQ(filed.exitCode, 0) << filed.out;
    EXPECT_NE(filed.out.find("recurs: every 2 weeks on Tuesday"), std::string::npos) << filed.out;
    expectEveryOtherTuesdayAtNine(tuesday);
}
#endif

TEST_F(RepeatClients, KhalListsAWeeklyNineOClockAtNineOnBothSidesOfTheClockChange) {
    if (!installed("khal")) GTEST_SKIP() << "khal is not installed (scripts/install-deps.sh)";
    const ScopedTimeZone berlin("Europe/Berlin");
    startMirror();
    auto standup = createItem(olAppointmentItem);
    standup->put("Subject", "Stand-up");
    RecurrenceFields weekly = everyOtherTuesday(dayOf(2027, 3, 16));
    weekly.interval = 1;
    fileRepeating(standup, weekly);
    flush();
    configureKhal("Europe/Berlin");
    // Clocks go forward on 28 March 2027 and back on 31 October.
    EXPECT_EQ(
        khalStarts(dayOf(2027, 3, 15), "21d"),
        (std::vector<std::string>{"2027-03-16 09:00", "2027-03-23 09:00", "2027-03-30 09:00"}));
    EXPECT_EQ(khalStarts(dayOf(2027, 10, 25), "14d"),
              (std::vector<std::string>{"2027-10-26 09:00", "2027-11-02 09:00"}));
}

TEST_F(RepeatClients, KhalSkipsTheMonthsWithoutTheDayAsTheStoreDoes) {
    if (!installed("khal")) GTEST_SKIP() << "khal is not installed (scripts/install-deps.sh)";
    startMirror();
    RecurrenceFields monthEnd;
    monthEnd.recurrenceType = olRecursMonthly;
    monthEnd.dayOfMonth = 31;
    monthEnd.patternStartDate = dayOf(2027, 1, 1);
    monthEnd.startTime = hours(8);
    monthEnd.endTime = hours(9);
    monthEnd.duration = 60;
    auto report = createItem(olAppointmentItem);
    report->put("Subject", "Month report");
    fileRepeating(report, monthEnd);
    flush();
    configureKhal("America/New_York");
    std::vector<std::string> expected;
    for (const local_days day : OccurrenceDays(monthEnd, dayOf(2027, 1, 1), dayOf(2027, 12, 31)))
        expected.push_back(isoDate(day) + " 08:00");
    EXPECT_EQ(expected.size(), 7u);
    EXPECT_EQ(khalStarts(dayOf(2027, 1, 1), "365d"), expected);
}

// Each form a sentence can file, read back by khal over a year, falls on the days the store's
// own expansion gives.
TEST_F(RepeatClients, KhalReadsEveryFormOfRepeatToTheStoresOwnDays) {
    if (!installed("khal")) GTEST_SKIP() << "khal is not installed (scripts/install-deps.sh)";
    startMirror();
    const local_days start = dayOf(2027, 1, 5);
    const auto form = [&](OlRecurrenceType type, std::int32_t interval) {
        RecurrenceFields p = everyOtherTuesday(start);
        p.recurrenceType = type;
        p.interval = interval;
        return p;
    };
    std::map<std::string, RecurrenceFields> forms;
    forms["daily"] = form(olRecursDaily, 3);
    forms["weekdays"] = form(olRecursWeekly, 1);
    forms["weekdays"].dayOfWeekMask = olMonday | olTuesday | olWednesday | olThursday | olFriday;
    forms["weekend"] = form(olRecursWeekly, 2);
    forms["weekend"].dayOfWeekMask = olSaturday | olSunday;
    forms["firstMonday"] = form(olRecursMonthNth, 1);
    forms["firstMonday"].instance = 1;
    forms["firstMonday"].dayOfWeekMask = olMonday;
    forms["lastFriday"] = forms["firstMonday"];
    forms["lastFriday"].instance = 5;
    forms["lastFriday"].dayOfWeekMask = olFriday;
    forms["day15"] = form(olRecursMonthly, 1);
    forms["day15"].dayOfMonth = 15;
    forms["yearly"] = form(olRecursYearly, 1);
    forms["yearly"].dayOfMonth = 28;
    forms["yearly"].monthOfYear = 2;
    for (const auto& [name, pattern] : forms) {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", name);
        fileRepeating(item, pattern);
    }
    flush();
    configureKhal("America/New_York");
    const auto listed =
        runClient("khal list --format " + shellQuote("@{title}|{start}") + " 2027-01-01 800d");
    ASSERT_EQ(listed.exitCode, 0) << listed.out;
    std::map<std::string, std::vector<std::string>> byForm;
    const std::regex line(R"(@(\w+)\|(\d{4}-\d\d-\d\d) 09:00)");
    for (auto it = std::sregex_iterator(listed.out.begin(), listed.out.end(), line);
         it != std::sregex_iterator(); ++it)
        if ((*it)[2] <= "2028-12-30") byForm[(*it)[1]].push_back((*it)[2]);
    for (const auto& [name, pattern] : forms) {
        std::vector<std::string> expected;
        for (const local_days day : OccurrenceDays(pattern, dayOf(2027, 1, 1), dayOf(2028, 12, 30)))
            expected.push_back(isoDate(day));
        EXPECT_FALSE(expected.empty()) << name;
        EXPECT_EQ(byForm[name], expected) << name;
    }
}

TEST_F(RepeatClients, TodomanListsARepeatingTask) {
    if (!installed("todoman")) GTEST_SKIP() << "todoman is not installed (scripts/install-deps.sh)";
    startMirror();
    auto task = createItem(olTaskItem);
    task->put("Subject", "Water the plants");
    task->put("DueDate", localDate(2027, 3, 5));
    task->call("GetRecurrencePattern");
    task->call("Save");
    flush();
    writeFile(clientBase() / "config" / "todoman" / "config.py",
              "path = \"" + (root() / "tasks").string() + "\"\ncache_path = \"" +
                  (clientBase() / "cache" / "todoman.sqlite3").string() +
                  "\"\ndate_format = \"%Y-%m-%d\"\ntime_format = \"%H:%M\"\n");
    const auto listed = runClient("todoman list");
    ASSERT_EQ(listed.exitCode, 0) << listed.out;
    // With todoman's mark of a repeating task.
    EXPECT_TRUE(std::regex_search(listed.out, std::regex("2027-03-05\\s+\u27F3Water the plants")))
        << listed.out;
}

}  // namespace
}  // namespace outlook::local::testing
