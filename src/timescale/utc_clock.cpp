#include <chrono>

#include "morvek/command.h"

namespace morvek {

UtcClockReading system_utc_clock() {
    using namespace std::chrono;
    // system_clock counts UTC without leap seconds, so a reading never
    // shows 23:59:60.
    const auto now = floor<seconds>(system_clock::now());
    const auto today = floor<days>(now);
    const year_month_day date{today};
    const hh_mm_ss<seconds> time{now - today};
    UtcClockReading reading;
    reading.year = static_cast<int>(date.year());
    reading.month = static_cast<std::int32_t>(static_cast<unsigned>(date.month()));
    reading.day = static_cast<std::int32_t>(static_cast<unsigned>(date.day()));
    reading.hour = static_cast<std::int32_t>(time.hours().count());
    reading.minute = static_cast<std::int32_t>(time.minutes().count());
    reading.second = static_cast<std::int32_t>(time.seconds().count());
    return reading;
}

}  // namespace morvek
