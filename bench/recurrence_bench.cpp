// What repeating appointments cost the Calendar: expanding a year of 500 repeats, and the
// week view shown for every week of that year (each week expands only its own seven days).

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "outlook/local/explorer_contents.h"
#include "outlook/recurrence/occurrences.h"

namespace {

using namespace std::chrono;
using namespace outlook;
using outlook::local::AgendaEntry;

constexpr int kPatterns = 500;
const local_days kYearStart = local_days(year(2027) / 1 / 1);
const local_days kYearEnd = local_days(year(2027) / 12 / 31);

// A mix of the kinds of repeat a user files: daily, weekly (some every other week, some on
// weekdays), monthly on a day or on the n-th weekday, yearly; started over the year before.
RecurrenceFields patternNumber(int n) {
    RecurrenceFields p;
    p.patternStartDate = kYearStart - days(n % 365);
    p.startTime = minutes(8 * 60 + (n % 20) * 30);
    p.duration = 30 + (n % 4) * 15;
    p.endTime = p.startTime + minutes(p.duration);
    const std::int32_t weekday = 1 << (n % 7);
    switch (n % 7) {
        case 0:
            p.recurrenceType = olRecursDaily;
            p.interval = 1 + n % 3;
            break;
        case 1:
            p.recurrenceType = olRecursWeekly;
            p.dayOfWeekMask = weekday;
            break;
        case 2:
            p.recurrenceType = olRecursWeekly;
            p.interval = 2;
            p.dayOfWeekMask = weekday | olThursday;
            break;
        case 3:
            p.recurrenceType = olRecursWeekly;
            p.dayOfWeekMask = olMonday | olTuesday | olWednesday | olThursday | olFriday;
            break;
        case 4:
            p.recurrenceType = olRecursMonthly;
            p.dayOfMonth = 1 + n % 31;
            break;
        case 5:
            p.recurrenceType = olRecursMonthNth;
            p.instance = 1 + n % 5;
            p.dayOfWeekMask = weekday;
            break;
        default:
            p.recurrenceType = olRecursYearly;
            p.dayOfMonth = 1 + n % 28;
            p.monthOfYear = 1 + n % 12;
            break;
    }
    return p;
}

std::vector<RecurrenceFields> patterns() {
    std::vector<RecurrenceFields> all;
    for (int n = 0; n < kPatterns; ++n)
        all.push_back(patternNumber(n));
    return all;
}

std::vector<AgendaEntry> appointments() {
    std::vector<AgendaEntry> all;
    for (const RecurrenceFields& p : patterns()) {
        AgendaEntry entry;
        entry.subject = "Repeat";
        entry.recurrence = p;
        entry.repeats = "repeats";
        entry.start = p.patternStartDate + p.startTime;
        entry.end = entry.start + minutes(p.duration);
        all.push_back(std::move(entry));
    }
    return all;
}

void BM_ExpandAYearOf500Repeats(benchmark::State& state) {
    const auto all = patterns();
    std::size_t occurrences = 0;
    for (auto _ : state) {
        occurrences = 0;
        for (const RecurrenceFields& p : all)
            occurrences += OccurrenceDays(p, kYearStart, kYearEnd).size();
        benchmark::DoNotOptimize(occurrences);
    }
    state.counters["occurrences"] = static_cast<double>(occurrences);
}
BENCHMARK(BM_ExpandAYearOf500Repeats)->Unit(benchmark::kMillisecond);

void BM_WeekViewOfEveryWeekOfAYear(benchmark::State& state) {
    const auto all = appointments();
    constexpr int kWeeks = 52;
    // 4 January 2027 is a Monday.
    const local_days firstMonday = local_days(year(2027) / 1 / 4);
    for (auto _ : state) {
        std::size_t shown = 0;
        for (int week = 0; week < kWeeks; ++week)
            for (const auto& day : outlook::local::buildAgenda(all, firstMonday + weeks(week), 7))
                shown += day.entries.size();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["seconds_per_week"] = benchmark::Counter(
        kWeeks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WeekViewOfEveryWeekOfAYear)->Unit(benchmark::kMillisecond);

}  // namespace
