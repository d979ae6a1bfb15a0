#pragma once

#include <cstdint>

#include "cli/conversion_state.h"

namespace morvek {

// The Era Day of a date read in state.calendar_mode (01.01.0001 is day 1,
// 31.12.-1 is day -1), or 0 with state.date_nonexistent set when the date
// does not exist in that mode. A Gregorian date after 1582 turns the mode to
// Historical: both calendars name those days alike. Constant time; exact for
// every year whose day number fits in 64 bits, other years are rejected.
std::int64_t era_day_from_date(ConversionState& state, std::int64_t year, std::int32_t month,
                               std::int32_t day);

}  // namespace morvek
