#include "outlook/ole_date.h"

#include <cmath>
#include <ctime>

namespace outlook {
namespace {

using namespace std::chrono;

constexpr local_days kOleEpoch = local_days(year{1899} / December / 30);

}  // namespace

OleDate OleDateFromLocal(local_time<milliseconds> time) {
    const auto day = floor<days>(time);
    const double dayNumber = (day - kOleEpoch).count();
    const double fraction = duration<double, days::period>(time - day).count();
    return {dayNumber < 0 ? dayNumber - fraction : dayNumber + fraction};
}

local_seconds LocalFromOleDate(OleDate date) {
    const double dayNumber = std::trunc(date.serial);
    const double fraction = std::abs(date.serial - dayNumber);
    return kOleEpoch + days(static_cast<long>(dayNumber)) +
           seconds(std::llround(fraction * 86400.0));
}

OleDate OleDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // timegm reads the local fields as if they were UTC: the wall clock's seconds count.
    return OleDateFromLocal(local_seconds(seconds(timegm(&local))));
}

}  // namespace outlook
