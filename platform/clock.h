#pragma once

#include <chrono>

namespace platform {

// Today, on the wall clock of the user's time zone.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::year_month_day today() const = 0;
};

class SystemClock : public Clock {
public:
    std::chrono::year_month_day today() const override;
};

}  // namespace platform
