#pragma once
// The system's clock as a UtcClock, for programs that convert the current
// time. Header-only: a program that never reads the clock carries none.

#include <chrono>

#include "morvek/command.h"

namespace morvek {

// system_utc_clock: std::chrono::system_clock, which counts UTC without
// leap seconds, so a reading never shows 23:59:60.
//   Example:  run_command(arguments, system_utc_clock())
[[nodiscard]] inline UtcClock system_utc_clock() noexcept {
    return {[](const void*) -> DateTime {
                using namespace std::chrono;
                const auto now = floor<nanoseconds>(system_clock::now());
                const auto today = floor<days>(now);
                const year_month_day date{today};
                const hh_mm_ss<nanoseconds> time{now - today};
                DateTime reading;
                reading.date = {static_cast<int>(date.year()), static_cast<std::int32_t>(unsigned{date.month()}),
                                static_cast<std::int32_t>(unsigned{date.day()})};
                reading.hour = static_cast<std::int32_t>(time.hours().count());
                reading.minute = static_cast<std::int32_t>(time.minutes().count());
                reading.second = static_cast<std::int32_t>(time.seconds().count());
                reading.nanosecond = static_cast<std::int32_t>(time.subseconds().count());
                return reading;
            },
            nullptr};
}

}  // namespace morvek
