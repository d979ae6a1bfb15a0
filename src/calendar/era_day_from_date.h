#pragma once

#include <cstdint>
#include <optional>

#include "morvek/calendar.h"

namespace morvek {

// era_day_from_year_month_day: a date read in a calendar to its Era Day, in
// constant time. The core of the public era_day_from_date, for any year.
//
//   Given:    year as written, 64 bits, no year 0 (-1 is 1 BCE); month and
//             day any values (out of range is a date that does not exist)
//   Returns:  the Era Day (01.01.0001 is 1, 31.12.-1 is -1); nullopt when
//             the date does not exist in the mode, or its Era Day would
//             leave 64 bits
//   Example:  Historical 15.10.1582 -> 577736; Julian 05.10.1582 -> 577736;
//             Historical 10.10.1582 -> nullopt
std::optional<std::int64_t> era_day_from_year_month_day(CalendarMode mode, std::int64_t year, std::int32_t month,
                                                        std::int32_t day);

}  // namespace morvek
