#include "outlook/recurrence/pattern_dates.h"

#include <cstdio>

namespace outlook {

std::string IsoDate(std::chrono::local_days day) {
    const std::chrono::year_month_day d(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(d.year()), unsigned(d.month()),
                  unsigned(d.day()));
    return text;
}

}  // namespace outlook
