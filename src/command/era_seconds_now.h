#pragma once

#include <cstdint>

#include "command/conversion_state.h"
#include "morvek/command.h"

namespace morvek::cli {

// era_seconds_now: the current moment, through the text parsers.
//
//   Reads:    the clock (once); state.calendar_mode
//   Writes:   the time fields and second_of_day (parse_time_of_day), then
//             the date fields (parse_date)
//   Returns:  the E0 of today's midnight (UTC)
//   Example:  a clock at 15.03.2024 12:34:56 -> 63846057627, second_of_day 45296
std::int64_t era_seconds_now(ConversionState& state, UtcClock clock);

}  // namespace morvek::cli
