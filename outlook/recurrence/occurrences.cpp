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

}  // namespace

std::vector<local_days> OccurrenceDays(const RecurrenceFields& pattern, local_days from,
                                       local_days to) {
    std::vector<local_days> days;
    expand(pattern, from, [&](local_days day) {
        if (day > to) return false;
        days.push_back(day);
        return true;
    });
    return days;
}

std::optional<local_days> FirstOccurrenceFrom(const RecurrenceFields& pattern, local_days day) {
    std::optional<local_days> first;
    expand(pattern, day, [&](local_days occurrence) {
        first = occurrence;
        return false;
    });
    return first;
}

}  // namespace outlook
