#include "shell/reminder_text.h"

namespace shell {
namespace {

using namespace std::chrono;

// "today", "tomorrow" or "yesterday"; else the date in numbers.
std::string dayText(local_days day, local_seconds now, const platform::ShortDateFormat& format) {
    const local_days today = floor<days>(now);
    if (day == today) return "today";
    if (day == today + days{1}) return "tomorrow";
    if (day == today - days{1}) return "yesterday";
    return platform::formatShortDate(format, year_month_day(day));
}

std::string capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

std::string timeText(local_seconds time) {
    const auto sinceMidnight = time - floor<days>(time);
    return platform::formatTimeOfDay(duration<double, days::period>(sinceMidnight).count());
}

}  // namespace

std::string ReminderWhen(const Reminder& reminder, local_seconds now,
                         const platform::ShortDateFormat& dateFormat) {
    const ReminderItem& item = reminder.item;
    const std::optional<local_seconds> start = reminder.occurs ? reminder.occurs : item.start;
    if (!start) return {};
    const local_days day = floor<days>(*start);
    if (item.task) return "Due " + dayText(day, now, dateFormat);
    std::string text = capitalized(dayText(day, now, dateFormat)) + " " + timeText(*start);
    if (item.start && item.end && *item.end > *item.start) {
        // An occurrence lasts as long as the series' first one.
        const local_seconds end = *start + (*item.end - *item.start);
        if (floor<days>(end) == day || end == day + days{1})
            text += "-" + timeText(end);
        else
            text += " - " + dayText(floor<days>(end), now, dateFormat) + " " + timeText(end);
    }
    return text;
}

std::string ReminderBody(const Reminder& reminder, local_seconds now,
                         const platform::ShortDateFormat& dateFormat) {
    std::string body = ReminderWhen(reminder, now, dateFormat);
    const std::string& location = reminder.item.location;
    if (!location.empty()) body += (body.empty() ? "" : ", ") + location;
    return body;
}

}  // namespace shell
