#pragma once

#include <cstdint>

namespace morvek {

struct UtcClockReading {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
};

// A source of the current UTC time; tests pass one that returns a fixed moment.
using UtcClock = UtcClockReading (*)();

// The real source: the system clock.
UtcClockReading system_utc_clock();

}  // namespace morvek
