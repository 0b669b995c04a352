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

// The time of day on the wall clock of the user's time zone, to the second.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual std::chrono::local_seconds now() const = 0;
};

class SystemWallClock : public WallClock {
public:
    std::chrono::local_seconds now() const override;
};

}  // namespace platform
