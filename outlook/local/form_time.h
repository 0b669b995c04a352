#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "outlook/automation.h"

namespace outlook::local {

// A date and time as an item form holds them: the day picked and the time of day as typed
// ("9:30pm", "21:30"), which is read only when the form is checked.
struct DayAndTime {
    std::chrono::year_month_day day{};
    std::string time;
    friend bool operator==(const DayAndTime&, const DayAndTime&) = default;
};

DayAndTime splitLocal(std::chrono::local_seconds time);
// The moment the day and time give; nothing when the time cannot be read.
std::optional<std::chrono::local_seconds> joinLocal(const DayAndTime& value);
// The minutes since midnight a typed time gives; nothing when it cannot be read.
std::optional<std::chrono::minutes> minutesOfDay(const std::string& text);

// A date property's value as a local time; nothing for "no date".
std::optional<std::chrono::local_seconds> localOf(const Variant& value);
Variant dateValue(std::chrono::local_seconds time);
Variant dateValue(std::chrono::year_month_day day);

// The problem line for a time that cannot be read, naming the field ("start time").
std::string unreadableTime(const std::string& what, const std::string& typed);

}  // namespace outlook::local
