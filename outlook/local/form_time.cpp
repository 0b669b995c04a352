#include "outlook/local/form_time.h"

#include <cmath>

#include "outlook/local/store/file_time.h"
#include "outlook/ole_date.h"
#include "platform/locale.h"
#include "platform/text.h"

namespace outlook::local {

using namespace std::chrono;

DayAndTime splitLocal(local_seconds time) {
    const local_days day = floor<days>(time);
    const double fraction = duration<double>(time - day) / duration<double>(days{1});
    return {year_month_day{day}, platform::formatTimeOfDay(fraction)};
}

std::optional<minutes> minutesOfDay(const std::string& text) {
    const auto fraction = platform::parseTimeOfDay(text);
    if (!fraction) return std::nullopt;
    return minutes{std::lround(*fraction * 24 * 60)};
}

std::optional<local_seconds> joinLocal(const DayAndTime& value) {
    const auto time = minutesOfDay(value.time);
    if (!time || !value.day.ok()) return std::nullopt;
    return local_days{value.day} + *time;
}

std::optional<local_seconds> localOf(const Variant& value) {
    if (value.type() != Variant::Type::Date) return std::nullopt;
    const OleDate date = value.asDate();
    if (date.serial >= kNoDateSerial) return std::nullopt;
    return LocalFromOleDate(date);
}

Variant dateValue(local_seconds time) {
    return OleDateFromLocal(time_point_cast<milliseconds>(time));
}

Variant dateValue(year_month_day day) {
    return dateValue(local_seconds{local_days{day}});
}

std::string unreadableTime(const std::string& what, const std::string& typed) {
    const std::string_view text = platform::trimmed(typed);
    if (text.empty()) return "The " + what + " is empty. Type a time such as 9:30 or 2:15 PM.";
    return "The " + what + " \"" + std::string(text) +
           "\" is not a time. Type a time such as 9:30 or 2:15 PM.";
}

}  // namespace outlook::local
