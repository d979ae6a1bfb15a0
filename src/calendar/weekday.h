#pragma once

#include <cstdint>

namespace morvek {

// weekday_number: the day of the week of any Era Day.
//
//   Returns:  1 = Monday .. 7 = Sunday; 0 for Era Day 0, which is no day
//   Example:  1 -> 1 (Monday); -1 -> 7 (Sunday); 736330 -> 7
std::int32_t weekday_number(std::int64_t era_day);

}  // namespace morvek
