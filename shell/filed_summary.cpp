#include "shell/filed_summary.h"

#include <array>

#include "outlook/recurrence/recurrence_words.h"
#include "platform/locale.h"
#include "platform/text.h"

namespace shell {
namespace {

using namespace std::chrono;
using notes::ItemType;

// Long enough for a sentence typed into a note; a longer text ends in "…" at a word.
constexpr std::size_t kShownText = 80;
constexpr std::size_t kNamedRecipients = 3;

// The note's first line, shortened at a word (never inside a UTF-8 character).
std::string shownText(const std::string& text) {
    std::string line(platform::trimmed(text.substr(0, text.find('\n'))));
    if (line.size() <= kShownText) return line;
    std::size_t cut = line.rfind(' ', kShownText);
    if (cut == std::string::npos || cut < kShownText / 2) {
        cut = kShownText;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
    }
    return std::string(platform::trimmed(line.substr(0, cut))) + "…";
}

std::string names(const std::vector<std::string>& recipients) {
    if (recipients.empty()) return "nobody";
    const std::size_t named = recipients.size() <= kNamedRecipients ? recipients.size() : 2;
    std::string text = recipients[0];
    for (std::size_t i = 1; i < named; ++i)
        text += (i + 1 == named && named == recipients.size() ? " and " : ", ") + recipients[i];
    if (const std::size_t others = recipients.size() - named)
        text += " and " + std::to_string(others) + (others == 1 ? " other" : " others");
    return text;
}

// "Tue 8 Dec, 12:00-13:00, every week on Tuesday"; a task's "due Tue 8 Dec".
std::string when(const notes::FiledNote& filed, year_month_day today) {
    const bool task = filed.type == ItemType::Task || filed.type == ItemType::TaskRequest;
    std::string text;
    if (task) {
        if (filed.date) text = "due " + DayText(*filed.date, today);
    } else {
        text = DayText(filed.date.value_or(today), today);
        if (filed.start) {
            text += ", " + platform::formatTimeOfDay(*filed.start);
            if (filed.end) text += "-" + platform::formatTimeOfDay(*filed.end);
        }
    }
    if (filed.repeat)
        text += (text.empty() ? "" : ", ") + outlook::DescribeRecurrence(*filed.repeat);
    return text;
}

std::string withWhen(const std::string& when, const std::string& text) {
    return when.empty() ? text : when + " - " + text;
}

}  // namespace

std::string DayText(year_month_day day, year_month_day today) {
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                         "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string text = std::string(kDays[weekday(sys_days(day)).c_encoding()]) + " " +
                       std::to_string(unsigned(day.day())) + " " +
                       kMonths[unsigned(day.month()) - 1];
    if (day.year() != today.year()) text += " " + std::to_string(int(day.year()));
    return text;
}

FiledText DescribeFiled(const notes::FiledNote& filed, year_month_day today) {
    const std::string text = shownText(filed.text);
    if (filed.sent) {
        const char* kind = filed.type == ItemType::MeetingRequest ? "Meeting request"
                           : filed.type == ItemType::TaskRequest  ? "Task request"
                                                                  : "Mail";
        const std::string body =
            filed.type == ItemType::MailMessage ? text : withWhen(when(filed, today), text);
        return {std::string(kind) + " sent to " + names(filed.recipients), body};
    }
    switch (filed.type) {
        case ItemType::Appointment:
        case ItemType::MeetingRequest:
            return {"Appointment: " + withWhen(when(filed, today), text), {}};
        case ItemType::Task:
        case ItemType::TaskRequest:
            return {"Task: " + withWhen(when(filed, today), text), {}};
        case ItemType::Note:
            return {"Note: " + text, {}};
        case ItemType::MailMessage:
            break;
    }
    return {"Mail: " + text, {}};
}

}  // namespace shell
