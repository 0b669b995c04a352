#include "outlook/recurrence/occurrences.h"

#include <libical/ical.h>

#include <memory>

#include "outlook/recurrence/recurrence_rule.h"

namespace outlook {
namespace {

using std::chrono::local_days;

constexpr int kMostRepeats = 1000;

struct IteratorDeleter {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using Iterator = std::unique_ptr<icalrecur_iterator, IteratorDeleter>;

// Midnight on the day, floating: libical 3.0 steps a daily rule on a plain date wrongly.
icaltimetype icalDate(local_days day) {
    const std::chrono::year_month_day d(day);
    icaltimetype t = icaltime_null_time();
    t.year = int(d.year());
    t.month = int(unsigned(d.month()));
    t.day = int(unsigned(d.day()));
    return t;
}

local_days localDay(const icaltimetype& t) {
    return local_days(std::chrono::year(t.year) / t.month / t.day);
}

// Calls `take` with each occurrence from `from` on, in order, until it returns false.
template <typename Take>
void expand(const RecurrenceFields& pattern, local_days from, Take take) {
    icalrecurrencetype rule = icalrecurrencetype_from_string(RecurrenceRule(pattern, true).c_str());
    if (rule.freq == ICAL_NO_RECURRENCE) return;
    Iterator iterator(icalrecur_iterator_new(rule, icalDate(pattern.patternStartDate)));
    if (!iterator) return;
    // Skipping ahead saves walking years of a long-running repeat; a counted repeat must be
    // walked from its start, since its count begins there.
    if (from > pattern.patternStartDate && rule.count == 0)
        icalrecur_iterator_set_start(iterator.get(), icalDate(from));
    std::optional<local_days> last;
    int repeated = 0;
    for (;;) {
        const icaltimetype next = icalrecur_iterator_next(iterator.get());
        if (icaltime_is_null_time(next)) return;
        const local_days day = localDay(next);
        // The iterator can hand out a day twice when it steps over a month without the day;
        // one that keeps doing so has lost its way.
        if (last && day <= *last) {
            if (++repeated > kMostRepeats) return;
            continue;
        }
        repeated = 0;
        last = day;
        if (day < from) continue;
        if (!take(day)) return;
    }
}

// Daily and weekly repeats, the most common and the ones with the most occurrences, are
// counted out directly, which is many times faster than libical's iterator; they give the
// same days (the tests compare the two). Repeats that end after a number of occurrences, and
// the monthly and yearly ones, go through libical.
bool countable(const RecurrenceFields& p) {
    const bool weekDays = p.dayOfWeekMask >= 0 && p.dayOfWeekMask <= 0x7F;
    return (p.recurrenceType == olRecursDaily ||
            (p.recurrenceType == olRecursWeekly && weekDays)) &&
           p.interval >= 1 && (p.noEndDate || p.occurrences == 0);
}

template <typename Take>
void count(const RecurrenceFields& p, local_days from, Take take) {
    using std::chrono::days;
    const local_days start = p.patternStartDate;
    const bool ends = !p.noEndDate;
    if (from < start) from = start;
    if (p.recurrenceType == olRecursDaily) {
        const long step = p.interval;
        const long skipped = ((from - start).count() + step - 1) / step;
        for (local_days day = start + days(skipped * step); !ends || day <= p.patternEndDate;
             day += days(step))
            if (!take(day)) return;
        return;
    }
    // Weeks begin on Sunday; every `interval`-th week from the start's is one with days.
    const std::int32_t mask =
        p.dayOfWeekMask ? p.dayOfWeekMask : 1 << std::chrono::weekday(start).c_encoding();
    const local_days firstWeek = start - days(std::chrono::weekday(start).c_encoding());
    const long stride = 7L * p.interval;
    for (local_days week = firstWeek + days((from - firstWeek).count() / stride * stride);;
         week += days(stride)) {
        for (unsigned weekday = 0; weekday < 7; ++weekday) {
            if (!(mask & (1 << weekday))) continue;
            const local_days day = week + days(weekday);
            if (day < from) continue;
            if (ends && day > p.patternEndDate) return;
            if (!take(day)) return;
        }
    }
}

template <typename Take>
void occurrences(const RecurrenceFields& pattern, local_days from, Take take) {
    if (countable(pattern))
        count(pattern, from, take);
    else
        expand(pattern, from, take);
}

}  // namespace

std::vector<local_days> OccurrenceDays(const RecurrenceFields& pattern, local_days from,
                                       local_days to) {
    std::vector<local_days> days;
    occurrences(pattern, from, [&](local_days day) {
        if (day > to) return false;
        days.push_back(day);
        return true;
    });
    return days;
}

std::optional<local_days> FirstOccurrenceFrom(const RecurrenceFields& pattern, local_days day) {
    std::optional<local_days> first;
    occurrences(pattern, day, [&](local_days occurrence) {
        first = occurrence;
        return false;
    });
    return first;
}

}  // namespace outlook
