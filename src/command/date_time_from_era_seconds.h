#pragma once
// Era seconds to the date and time fields, as the command splits them: a
// negative E3 or E6 is split by truncation, so that every part carries the
// sign of the whole and the report's sums give back the input.

#include <cstdint>

#include "command/conversion_state.h"

namespace morvek::cli {

// date_time_from_era_seconds / _e3 / _e6: a moment to the date and time fields.
//
//   Given:    state.leap_second is 0
//   Reads:    state.calendar_mode
//   Writes:   hour, minute, second, leap_second, second_of_day, the date
//             fields and calendar_tag (through date_from_era_day); millis
//             (E3, E6) and micros (E6), truncated toward zero
//   Returns:  D, the E0 of the midnight that begins the day: D + second_of_day
//             is the moment. A negative E3/E6 within the last second before
//             the Era shows 31.12.-1 23:59:59 with second_of_day 86400 and
//             returns -86400
//   Example:  E0 62214393600 -> 30.06.1972 23:59:60, second_of_day 86400,
//             D 62214307200; E3 -1500 -> 31.12.-1 23:59:59, millis -500
std::int64_t date_time_from_era_seconds(ConversionState& state, std::int64_t era_seconds);
std::int64_t date_time_from_e3(ConversionState& state, std::int64_t e3);
std::int64_t date_time_from_e6(ConversionState& state, std::int64_t e6);

}  // namespace morvek::cli
