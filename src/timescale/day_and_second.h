#pragma once

#include <cstdint>

namespace morvek {

// The day of a moment and the second within it.
struct DayAndSecond {
    std::int64_t era_day = 0;
    std::int32_t second_of_day = 0;  // [0, 86400]; 86400 only inside a leap second
};

// day_and_second_from_e0: the Era Day and the second of the day of any E0.
//
//   Returns:  the day and second; after the Era the leap seconds are taken
//             out first, so every day has 86400 seconds plus its own leap
//             second; before it the day is the floor of E0 / 86400
//   Example:  62214393600 -> Era Day 720074, second 86400 (30.06.1972 23:59:60);
//             -1 -> Era Day -1, second 86399
DayAndSecond day_and_second_from_e0(std::int64_t e0);

}  // namespace morvek
