#pragma once
// The leap-second table in Era seconds and the operations the conversions
// build on; the list of days is public (morvek/leap_seconds.h).

#include <array>
#include <cstdint>

#include "morvek/leap_seconds.h"

namespace morvek {

// Era seconds (E0) of each inserted second 23:59:60, ascending.
extern const std::array<std::int64_t, leap_second_count> leap_second_table;

// insert_leap_seconds: a leap-free count of seconds (every day 86400 s) to E0.
//
//   Returns:  the E0 of the same moment, never a leap second itself;
//             saturates at the ends of the 64-bit range
//   Example:  62214393600 (01.07.1972 00:00:00 leap-free) -> 62214393601
std::int64_t insert_leap_seconds(std::int64_t leap_free_seconds);

// Leap seconds inserted before the first day of the month: 0 for any year
// before 1972, leap_second_count from January 2017 on.
std::int32_t leap_seconds_before_month(std::int64_t year, std::int32_t month);

// True for the days that end with 23:59:60.
bool is_leap_second_day(std::int64_t year, std::int32_t month, std::int32_t day);

}  // namespace morvek
