#include "calendar.h"

#include <cstdlib>

#include "../token_class.h"

namespace sentex {
namespace {

constexpr int kFirstYearOutOfReach = 2100;

}  // namespace

Calendar::Calendar(DateTime now)
    : now_(now), today_(now.dateOnly()), todayDayOfWeek_(now.dayOfWeek()) {}

DateTime Calendar::buildWithDayFallback(int year, int month, int day) {
    DateTime date = DateTime::fromParts(year, month, day);
    while (!date.isValid() && day > 28)
        date = DateTime::fromParts(year, month, --day);
    return date;
}

std::optional<int> Calendar::windowYear(int written) const {
    if (written >= 1900 && written <= 2099) return written;
    if (written < 0 || written > 99) return std::nullopt;
    const int nowYear = now_.year();
    const int year = nowYear / 100 * 100 + written;
    if (std::abs(nowYear - (year - 100)) < 50) return year - 100;
    // Only a year 50 or more behind now moves to the next century; one exactly 50 ahead
    // stays where it is.
    if (nowYear - year >= 50) return year + 100;
    return year;
}

DateTime Calendar::nextOccurrence(int month, int day) const {
    const DateTime date = buildWithDayFallback(now_.year(), month, day);
    if (date.isValid() && date.dayNumber() < today_.dayNumber())
        return buildWithDayFallback(now_.year() + 1, month, day);
    return date;
}

int Calendar::yearOfMonth(int month) const {
    const DateTime first = DateTime::fromParts(now_.year(), month, 1);
    return first.isValid() && first.dayNumber() < today_.dayNumber() ? now_.year() + 1
                                                                     : now_.year();
}

DateTime Calendar::comingWeekday(int dayOfWeek) const {
    const int ahead =
        todayDayOfWeek_ < dayOfWeek ? dayOfWeek - todayDayOfWeek_ : dayOfWeek - todayDayOfWeek_ + 7;
    return now_.plus(DateSpan::of(ahead));
}

DateTime Calendar::weekdayTodayOrLater(int dayOfWeek) const {
    const int ahead = dayOfWeek >= todayDayOfWeek_ ? dayOfWeek - todayDayOfWeek_
                                                   : dayOfWeek - todayDayOfWeek_ + 7;
    return now_.plus(DateSpan::of(ahead));
}

DateTime Calendar::nthWeekday(int n, int dayOfWeek, int month, int year) {
    const DateTime first = DateTime::fromParts(year, month, 1);
    if (!first.isValid()) return first;
    int firstMatch = dayOfWeek - first.dayOfWeek() + 1;
    if (firstMatch < 1) firstMatch += 7;
    const int day = 7 * n + firstMatch - 7;
    const DateTime date = DateTime::fromParts(year, month, day);
    return date.isValid() ? date : DateTime::fromParts(year, month, day - 7);
}

DateTime Calendar::addSpan(DateTime date, int amount, int unit) {
    if (amount <= 0 || !date.isValid()) return DateTime::invalid();
    const DateTime::Civil d = date.civil();
    DateTime result = DateTime::invalid();
    switch (unit) {
        case kUnitDay:
        case kUnitWeek: {
            const double days = static_cast<double>(amount) * (unit == kUnitWeek ? 7 : 1);
            result = date.plus(DateSpan::of(days));
            if (result.isValid() && result.year() >= kFirstYearOutOfReach)
                result = DateTime::invalid();
            break;
        }
        case kUnitMonth: {
            int year = d.year + amount / 12;
            int month = d.month + amount % 12;
            if (month > 12) {
                month -= 12;
                ++year;
            }
            if (year < kFirstYearOutOfReach) result = buildWithDayFallback(year, month, d.day);
            break;
        }
        case kUnitYear: {
            const long long year = static_cast<long long>(d.year) + amount;
            if (year < kFirstYearOutOfReach)
                result = buildWithDayFallback(static_cast<int>(year), d.month, d.day);
            break;
        }
        default:
            break;
    }
    return result;
}

}  // namespace sentex
