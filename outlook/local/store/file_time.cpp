#include "outlook/local/store/file_time.h"

#include <chrono>
#include <ctime>

#include "outlook/ole_date.h"

namespace outlook::local {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;

}  // namespace

mapi::FileTime fileTimeFromOleDate(OleDate date) {
    // Seconds on the local wall clock, then through the time zone to UTC.
    const auto wall = static_cast<std::time_t>(LocalFromOleDate(date).time_since_epoch().count());
    std::tm fields{};
    gmtime_r(&wall, &fields);
    fields.tm_isdst = -1;
    const std::time_t utc = std::mktime(&fields);
    return {static_cast<std::int64_t>(utc) * kTicksPerSecond + kUnixEpochTicks};
}

OleDate oleDateFromFileTime(mapi::FileTime time) {
    const std::int64_t ticks = time.ticks - kUnixEpochTicks;
    std::int64_t seconds = ticks / kTicksPerSecond;
    if (ticks % kTicksPerSecond < 0) --seconds;
    const auto utc = static_cast<std::time_t>(seconds);
    std::tm fields{};
    localtime_r(&utc, &fields);
    return OleDateFromLocal(std::chrono::local_seconds(std::chrono::seconds(timegm(&fields))));
}

mapi::FileTime currentFileTime() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return {std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 100 +
            kUnixEpochTicks};
}

}  // namespace outlook::local
