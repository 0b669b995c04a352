#include "outlook/recurrence/occurrences.h"

#include <libical/ical.h>

#include <memory>
#include <optional>
#include <vector>

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

// Daily and weekly repeats fall on the same days of every period of `interval` days or weeks.
std::optional<std::chrono::days> period(const RecurrenceFields& pattern) {
    const int interval = pattern.interval >= 1 ? pattern.interval : 1;
    if (pattern.recurrenceType == olRecursDaily) return std::chrono::days(interval);
    if (pattern.recurrenceType == olRecursWeekly) return std::chrono::weeks(interval);
    return std::nullopt;
}

// Hands out libical's occurrences in order, from `from` on where the rule allows skipping.
class IcalWalk {
public:
    IcalWalk(const RecurrenceFields& pattern, local_days from)
        : rule_(icalrecurrencetype_from_string(RecurrenceRule(pattern, true).c_str())) {
        if (rule_.freq == ICAL_NO_RECURRENCE) return;
        iterator_.reset(icalrecur_iterator_new(rule_, icalDate(pattern.patternStartDate)));
        // Skipping ahead saves walking years of a long-running repeat; a counted repeat must
        // be walked from its start, since its count begins there.
        if (iterator_ && from > pattern.patternStartDate && rule_.count == 0)
            icalrecur_iterator_set_start(iterator_.get(), icalDate(from));
    }

    const icalrecurrencetype& rule() const { return rule_; }

    std::optional<local_days> next() {
        if (!iterator_) return std::nullopt;
        int repeated = 0;
        for (;;) {
            const icaltimetype next = icalrecur_iterator_next(iterator_.get());
            if (icaltime_is_null_time(next)) return std::nullopt;
            const local_days day = localDay(next);
            // The iterator can hand out a day twice when it steps over a month without the
            // day; one that keeps doing so has lost its way.
            if (day <= last_) {
                if (++repeated > kMostRepeats) return std::nullopt;
                continue;
            }
            last_ = day;
            return day;
        }
    }

private:
    icalrecurrencetype rule_;
    Iterator iterator_;
    local_days last_ = local_days::min();
};

// Calls `take` with each occurrence from `from` on, in order, until it returns false.
//
// libical decides every day a repeat falls on, but each step of its iterator costs a few
// microseconds of calendar arithmetic, which a year of daily repeats multiplies. A daily or
// weekly repeat is the same days moved on by whole periods, so libical gives one period's
// days and later periods repeat them, still ended by the rule's UNTIL or COUNT.
template <typename Take>
void expand(const RecurrenceFields& pattern, local_days from, Take take) {
    IcalWalk walk(pattern, from);
    const std::optional<std::chrono::days> cycle = period(pattern);
    std::vector<local_days> firstPeriod;
    int handedOut = 0;
    // False once `take` has had enough.
    auto give = [&](local_days day) {
        ++handedOut;
        return day < from || take(day);
    };
    while (const std::optional<local_days> day = walk.next()) {
        if (cycle && !firstPeriod.empty() && *day >= firstPeriod.front() + *cycle) {
            if (!give(*day)) return;
            break;
        }
        if (!give(*day)) return;
        if (cycle) firstPeriod.push_back(*day);
    }
    if (!cycle || firstPeriod.empty() || handedOut == int(firstPeriod.size())) return;
    // libical went on past the first period, so the rule has not ended within it.
    const icalrecurrencetype& rule = walk.rule();
    const local_days until =
        icaltime_is_null_time(rule.until) ? local_days::max() : localDay(rule.until);
    for (std::chrono::days moved = *cycle;; moved += *cycle) {
        for (const local_days first : firstPeriod) {
            const local_days day = first + moved;
            if (day <= firstPeriod.front() + *cycle) continue;  // handed out by libical
            if (day > until) return;
            if (rule.count > 0 && handedOut >= rule.count) return;
            if (!give(day)) return;
        }
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
