#pragma once

#include <cstdint>
#include <ctime>

namespace sentex {

// A span of time in days, the time of day as the fraction.
struct DateSpan {
    double days = 0;

    static constexpr DateSpan of(double days, double hours = 0, double minutes = 0,
                                 double seconds = 0) {
        return DateSpan{days + hours / 24 + minutes / 1440 + seconds / 86400};
    }
};

// A date and time of day as an OLE Automation date: days since 30 December 1899, the
// time of day as the fraction. Before that day the serial is negative and its fraction
// still counts forward from midnight (-1.25 is 29 December 1899, 06:00). Valid serials
// run from 1 January 100 to 31 December 9999.
class DateTime {
public:
    enum class Status : uint8_t { Valid = 0, Invalid = 1, Null = 2 };

    DateTime() = default;

    // Invalid when the combination does not exist or lies outside the valid range.
    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0);
    static DateTime fromCalendarTime(std::time_t t);  // in the local time zone
    static DateTime now();
    static DateTime invalid() { return DateTime(0, Status::Invalid); }

    bool isValid() const { return status_ == Status::Valid; }
    Status status() const { return status_; }
    double serial() const { return serial_; }

    struct Civil {
        int year, month, day;
    };
    Civil civil() const;  // year, month and day at once
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    int dayOfWeek() const;  // 1 Sunday .. 7 Saturday

    // Whole days since 30 December 1899.
    int32_t dayNumber() const;
    // The same day at 00:00.
    DateTime dateOnly() const;
    // Keeps the time of day; invalid when the result leaves the valid range.
    DateTime plus(DateSpan span) const;

private:
    DateTime(double serial, Status status) : serial_(serial), status_(status) {}
    static DateTime fromDayAndSeconds(int64_t dayNumber, int64_t secondOfDay);
    // Day number and second of the day, decoded from the serial.
    void split(int32_t& dayNumber, int32_t& secondOfDay) const;

    double serial_ = 0;
    Status status_ = Status::Valid;
};

// The system clock in local time, as DateTime::now(), for parsing on every keystroke:
// converting a calendar time to local time costs as much as recognising the date of a
// short note, so the clock converts once per second and hands out that value until the
// second changes. A change of time zone made within a second shows from the next one.
class LocalClock {
public:
    DateTime operator()() { return at(std::time(nullptr)); }
    // The local time of t, converted only when t differs from the last one asked for.
    DateTime at(std::time_t t);

private:
    bool converted_ = false;
    std::time_t second_ = 0;
    DateTime local_;
};

}  // namespace sentex
