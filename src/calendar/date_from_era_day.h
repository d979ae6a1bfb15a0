#pragma once

#include <cstdint>

#include "morvek/calendar.h"

namespace morvek {

// A date whose year may lie beyond 32 bits.
struct CalendarDate {
    std::int64_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
};

// calendar_date_from_era_day: an Era Day to its date in a mode, in constant
// time, for any 64-bit Era Day. The core of the public date_from_era_day.
//
//   Returns:  the date; a negative Era Day always gives the date of the
//             historical calendar, whatever the mode; Era Day 0, which is
//             no day, gives 00.01.0001
//   Example:  Julian 719163 -> 19.12.1969; any mode -1 -> 31.12.-1
CalendarDate calendar_date_from_era_day(CalendarMode mode, std::int64_t era_day);

}  // namespace morvek
