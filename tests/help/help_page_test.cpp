// The help page is checked as the program uses it: every topic a window opens is there, and
// every example it gives parses as it says, through the library's exports.
#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "include/sentex.h"
#include "platform/locale.h"

namespace {

using namespace std::chrono;

std::string readPage() {
    std::ifstream in(JOTWISE_HELP_PAGE, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string decoded(std::string text) {
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&quot;", "\""}, {"&#39;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : kEntities)
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1))
            text.replace(at, std::string(entity).size(), character);
    return text;
}

// A marked row of the page: its data-* attributes (without "data-") and its first <code>.
struct Row {
    std::map<std::string, std::string> data;
    std::string code;
    std::string get(const std::string& name) const {
        const auto found = data.find(name);
        return found == data.end() ? std::string() : found->second;
    }
};

std::vector<Row> rowsOfClass(const std::string& page, const std::string& cls) {
    const std::regex row("<tr class=\"" + cls + "\"([^>]*)>([\\s\\S]*?)</tr>");
    const std::regex attribute("data-([a-z]+)=\"([^\"]*)\"");
    const std::regex code("<code>([\\s\\S]*?)</code>");
    std::vector<Row> rows;
    for (std::sregex_iterator it(page.begin(), page.end(), row), end; it != end; ++it) {
        Row r;
        const std::string attributes = (*it)[1];
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a)
            r.data[(*a)[1]] = decoded((*a)[2]);
        const std::string inner = (*it)[2];
        std::smatch first;
        if (std::regex_search(inner, first, code)) r.code = decoded(first[1]);
        rows.push_back(std::move(r));
    }
    return rows;
}

// --- The calendar the page's date expectations are written in -----------------------------

year_month_day today() {
    const time_t now = ::time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return year{local.tm_year + 1900} / month(static_cast<unsigned>(local.tm_mon + 1)) /
           day(static_cast<unsigned>(local.tm_mday));
}

// The date, or the last day of its month when the day number is too large.
year_month_day withFallback(int y, unsigned m, unsigned d) {
    year_month_day date = year{y} / month{m} / day{d};
    while (!date.ok() && d > 28)
        date = year{y} / month{m} / day{--d};
    return date;
}

int weekdayNumber(const std::string& name) {
    static const char* kNames[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    for (int i = 0; i < 7; ++i)
        if (name == kNames[i]) return i;
    throw std::runtime_error("no weekday " + name);
}

year_month_day plusDays(year_month_day date, int n) {
    return year_month_day(sys_days(date) + days(n));
}

int weekdayOf(year_month_day date) {
    return static_cast<int>(weekday(sys_days(date)).c_encoding());
}

year_month_day nthWeekday(int n, int w, int y, unsigned m) {
    const int first = weekdayOf(year{y} / month{m} / day{1});
    int k = w - first + 1;
    if (k < 1) k += 7;
    year_month_day date = year{y} / month{m} / day(static_cast<unsigned>(7 * n + k - 7));
    if (!date.ok()) date = year{y} / month{m} / day(static_cast<unsigned>(7 * n + k - 14));
    return date;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// Reads a date expectation: a base ("today", "coming:fri", "md:4/20", ...) followed by any
// number of "+N" with a unit d, w, m or y.
year_month_day expectedDate(const std::string& wanted, year_month_day now) {
    const int y = static_cast<int>(now.year());
    const unsigned m = static_cast<unsigned>(now.month());
    const int t = weekdayOf(now);
    const auto plus = wanted.find('+');
    const std::string base = wanted.substr(0, plus);
    const auto parts = split(base, ':');
    const std::string kind = parts[0];

    year_month_day date;
    if (kind == "today") {
        date = now;
    } else if (kind == "coming") {
        const int w = weekdayNumber(parts[1]);
        date = plusDays(now, t < w ? w - t : w - t + 7);
    } else if (kind == "from-today") {
        date = plusDays(now, (weekdayNumber(parts[1]) - t + 7) % 7);
    } else if (kind == "next") {
        const int w = weekdayNumber(parts[1]);
        date = plusDays(now, (w - t + 7) % 7);
        if (t == 0 || w >= t || w == 0) date = plusDays(date, 7);
    } else if (kind == "workday") {
        date = t >= 1 && t <= 5 ? now : plusDays(now, t == 6 ? 2 : 1);
    } else if (kind == "md" || kind == "ymd") {
        const auto numbers = split(parts[1], '/');
        if (kind == "ymd") {
            date =
                withFallback(std::stoi(numbers[0]), std::stoul(numbers[1]), std::stoul(numbers[2]));
        } else {
            const unsigned mm = std::stoul(numbers[0]), dd = std::stoul(numbers[1]);
            date = withFallback(y, mm, dd);
            if (sys_days(date) < sys_days(now)) date = withFallback(y + 1, mm, dd);
        }
    } else if (kind == "nth") {
        const unsigned mm = std::stoul(parts[3]);
        const int yy = sys_days(year{y} / month{mm} / day{1}) < sys_days(now) ? y + 1 : y;
        date = nthWeekday(std::stoi(parts[1]), weekdayNumber(parts[2]), yy, mm);
    } else if (kind == "nth-this-month") {
        date = nthWeekday(std::stoi(parts[1]), weekdayNumber(parts[2]), y, m);
    } else if (kind == "nth-next-month") {
        date = nthWeekday(std::stoi(parts[1]), weekdayNumber(parts[2]), m == 12 ? y + 1 : y,
                          m == 12 ? 1 : m + 1);
    } else if (kind == "dom") {
        date = withFallback(y, m, std::stoul(parts[1]));
    } else {
        throw std::runtime_error("unknown date expectation " + wanted);
    }
    if (plus == std::string::npos) return date;
    for (const std::string& step : split(wanted.substr(plus + 1), '+')) {
        const int n = std::stoi(step);
        const int dy = static_cast<int>(date.year());
        const unsigned dm = static_cast<unsigned>(date.month()),
                       dd = static_cast<unsigned>(date.day());
        switch (step.back()) {
            case 'd':
                date = plusDays(date, n);
                break;
            case 'w':
                date = plusDays(date, 7 * n);
                break;
            case 'm': {
                int yy = dy + n / 12;
                unsigned mm = dm + static_cast<unsigned>(n % 12);
                if (mm > 12) {
                    mm -= 12;
                    ++yy;
                }
                date = withFallback(yy, mm, dd);
                break;
            }
            case 'y':
                date = withFallback(dy + n, dm, dd);
                break;
            default:
                throw std::runtime_error("unknown step " + step);
        }
    }
    return date;
}

int unitNumber(const std::string& unit) {
    static const char* kUnits[] = {"day", "week", "month", "year"};
    for (int i = 0; i < 4; ++i)
        if (unit == kUnits[i]) return i + 1;
    throw std::runtime_error("no unit " + unit);
}

int dayMask(const std::string& days, year_month_day now) {
    if (days.empty()) return 0;
    if (days == "weekdays") return 62;
    if (days == "weekend") return 65;
    if (days == "today") return 1 << weekdayOf(now);
    int mask = 0;
    for (const std::string& name : split(days, ','))
        mask |= 1 << weekdayNumber(name);
    return mask;
}

// What the page says Prs_Parse gives, in the slots' own text.
std::map<std::string, std::string> expectedSlots(const Row& row, year_month_day now) {
    std::map<std::string, std::string> slots = {
        {"list", row.get("list")},
        {"project", row.get("project")},
        {"contact", row.get("contact")},
        {"recipient", row.get("recipient")},
        {"startTime", row.get("start")},
        {"endTime", row.get("end")},
        {"isFyi", row.get("fyi").empty() ? "0" : row.get("fyi")}};
    std::map<std::string, std::string> recur;
    for (const std::string& pair : split(row.get("recur"), ';'))
        if (const auto eq = pair.find('='); eq != std::string::npos)
            recur[pair.substr(0, eq)] = pair.substr(eq + 1);
    const int unit = recur.count("unit") ? unitNumber(recur["unit"]) : 0;
    const int mask = dayMask(recur["days"], now);
    slots["isRecurring"] = unit ? "1" : "0";
    slots["recurUnit"] = std::to_string(unit);
    slots["recurInterval"] = recur.count("interval") ? recur["interval"] : "0";
    slots["recurDays"] = std::to_string(mask);
    slots["recurNth"] = recur.count("nth") ? recur["nth"] : "0";
    if (!row.get("date").empty()) {
        year_month_day date = expectedDate(row.get("date"), now);
        // A monthly or yearly repetition on a day some months lack shows the 28th.
        if (unit >= 3 && mask == 0 && static_cast<unsigned>(date.day()) >= 29)
            date = date.year() / date.month() / day{28};
        slots["date"] = platform::formatShortDate(platform::systemShortDateFormat(), date);
    } else {
        slots["date"] = "";
    }
    return slots;
}

std::map<std::string, std::string> parsed(const std::string& text) {
    TParseResults r;
    Prs_Parse(text.c_str(), reinterpret_cast<char*>(&r));
    std::int32_t interval = 0;
    std::memcpy(&interval, r.recurInterval, sizeof interval);
    return {{"list", r.list},
            {"project", r.project},
            {"contact", r.contact},
            {"recipient", r.recipient},
            {"date", r.date},
            {"startTime", r.startTime},
            {"endTime", r.endTime},
            {"isFyi", std::to_string(r.isFyi)},
            {"isRecurring", std::to_string(r.isRecurring)},
            {"recurUnit", std::to_string(r.recurUnit)},
            {"recurInterval", std::to_string(interval)},
            {"recurDays", std::to_string(r.recurDays)},
            {"recurNth", std::to_string(r.recurNth)}};
}

class HelpPage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(page.empty()) << "cannot read " << JOTWISE_HELP_PAGE; }
    // The keyword store holds exactly the keywords the page's examples assume.
    void registerKeywords() {
        Prs_ResetParseDll();
        const auto rows = rowsOfClass(page, "keyword");
        ASSERT_GE(rows.size(), 5u);
        for (const Row& row : rows) {
            if (!row.get("list").empty()) Prs_AddList(row.get("list").c_str());
            if (!row.get("project").empty()) Prs_AddProject(row.get("project").c_str());
            if (!row.get("contact").empty()) Prs_AddContact(row.get("contact").c_str());
            EXPECT_EQ(Prs_AddAlias(row.get("keyword").c_str(), row.get("list").c_str(),
                                   row.get("project").c_str(), row.get("contact").c_str()),
                      1)
                << row.get("keyword");
            EXPECT_EQ(row.code, row.get("keyword"));
        }
    }
    void TearDown() override { Prs_ResetParseDll(); }

    const std::string page = readPage();
};

TEST_F(HelpPage, HasEveryTopicTheWindowsOpenAndNoBrokenLinks) {
    std::set<std::string> ids;
    const std::regex id("id=\"([^\"]+)\"");
    for (std::sregex_iterator it(page.begin(), page.end(), id), end; it != end; ++it)
        EXPECT_TRUE(ids.insert((*it)[1]).second) << "two anchors named " << (*it)[1];
    for (const char* topic : {"contents", "topic-4506", "topic-4513", "topic-1503"})
        EXPECT_TRUE(ids.count(topic)) << topic;

    const std::regex link("href=\"([^\"]*)\"");
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
        const std::string target = (*it)[1];
        ASSERT_FALSE(target.empty());
        // Everything is inside the page: it is read where no network may be.
        EXPECT_EQ(target[0], '#') << target;
        EXPECT_TRUE(ids.count(target.substr(1))) << "link to a missing anchor: " << target;
    }
    EXPECT_EQ(page.find("src="), std::string::npos);
    EXPECT_EQ(page.find("url("), std::string::npos);
    EXPECT_EQ(page.find("@import"), std::string::npos);
}

TEST_F(HelpPage, EveryExampleParsesAsThePageSays) {
    registerKeywords();
    const auto examples = rowsOfClass(page, "example");
    ASSERT_GE(examples.size(), 50u);
    const bool monthFirst =
        platform::systemShortDateFormat().order == platform::DateOrder::MonthDayYear;
    std::size_t checked = 0;
    for (const Row& example : examples) {
        const std::string text = example.get("text");
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(example.code, text) << "the page shows another text than it checks";
        // Numbers are read in the desktop's date order; these examples are written month first.
        if (example.get("order") == "mdy" && !monthFirst) continue;
        // Parsed on one day from start to end, so that midnight cannot come in between.
        for (int attempt = 0;; ++attempt) {
            const year_month_day before = today();
            const auto actual = parsed(text);
            const auto expected = expectedSlots(example, before);
            if (before != today() && attempt == 0) continue;
            EXPECT_EQ(actual, expected) << "the example: " << text;
            break;
        }
        ++checked;
    }
    EXPECT_GE(checked, 45u);
}

}  // namespace
