#include "result_render.h"

#include <charconv>
#include <cstring>

#include "../include/sentex.h"

namespace sentex {
namespace {

// A text slot that is written left to right and never overflows its 128 bytes.
class Slot {
public:
    explicit Slot(char* slot) : begin_(slot), at_(slot) {}

    Slot& operator<<(std::string_view text) {
        const std::size_t room = static_cast<std::size_t>(begin_ + kLast - at_);
        const std::size_t n = text.size() < room ? text.size() : room;
        if (n > 0) std::memcpy(at_, text.data(), n);
        at_ += n;
        *at_ = '\0';
        return *this;
    }
    Slot& operator<<(int number) {
        char digits[12];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
        return *this << std::string_view(digits, ec == std::errc() ? end - digits : 0);
    }

private:
    static constexpr std::ptrdiff_t kLast = SENTEX_TEXT_SLOT - 1;
    char* begin_;
    char* at_;
};

void writeTime(char* slot, ClockTime t) {
    Slot(slot) << clockHour(t) << ":" << clockMinute(t);
}

}  // namespace

const char* renderResult(const WorkingRecord& record, const DateFormat& format, char* out) {
    std::memset(out, 0, kParseResultSize);
    TParseResults& result = *reinterpret_cast<TParseResults*>(out);
    Slot(result.list) << record.list;
    Slot(result.project) << record.project;
    Slot(result.contact) << record.contact;
    Slot(result.recipient) << record.recipient;

    const Recurrence& r = record.recurrence;
    bool adjusted = false;
    if (record.datePresent) {
        DateTime::Civil d = record.date.civil();
        // A monthly or yearly repeat on the 29th or later shows the 28th, a day every
        // month has.
        if (record.isRecurring && r.days == 0 && (r.unit == kUnitMonth || r.unit == kUnitYear) &&
            d.day >= 29) {
            d.day = 28;
            adjusted = true;
        }
        const int fields[3][3] = {
            {d.month, d.day, d.year}, {d.day, d.month, d.year}, {d.year, d.month, d.day}};
        const int(&f)[3] = fields[format.order];
        Slot(result.date) << f[0] << format.separator << f[1] << format.separator << f[2];
    }
    if (record.startTimePresent) writeTime(result.startTime, record.startTime);
    if (record.endTimePresent) writeTime(result.endTime, record.endTime);

    if (record.isRecurring) {
        result.isRecurring = 1;
        result.recurUnit = r.unit;
        result.recurDays = r.days;
        result.recurNth = r.nth;
        const auto interval = static_cast<uint32_t>(r.interval);
        for (int i = 0; i < 4; ++i)
            result.recurInterval[i] = static_cast<uint8_t>(interval >> (8 * i));
    }
    result.isFyi = record.isFyi ? 1 : 0;
    return record.datePresent && !adjusted ? result.date : nullptr;
}

}  // namespace sentex
