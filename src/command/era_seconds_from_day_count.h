#pragma once

#include <cstdint>

#include "command/conversion_state.h"

namespace morvek::cli {

// era_seconds_from_rd_julian / _gregorian: a day count of the Julian
// (Gregorian) calendar, day 1 being 01.01.0001 of that calendar.
//
//   Writes:   calendar_mode := Julian (Gregorian), then as parse_date, which
//             may switch a Gregorian day after 1582 to Historical; the date
//             fields keep the date in that calendar; calendar_tag for a day
//             of the other calendar's era
//   Returns:  the E0 of the day's midnight; 0 with bad_format for count 0
//   Example:  Julian 730000 -> 21.08.1999, tag "(J)", 63071913622
std::int64_t era_seconds_from_rd_julian(ConversionState& state, std::int32_t day_count);
std::int64_t era_seconds_from_rd_gregorian(ConversionState& state, std::int32_t day_count);

}  // namespace morvek::cli
