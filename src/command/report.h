#pragma once
// The report's values, derived from a filled state.

#include <string_view>

#include "command/conversion_state.h"
#include "morvek/command.h"

namespace morvek::cli {

// report_from_state: every value the report shows.
//
//   Reads:    the date and time fields, era_seconds (the midnight),
//             second_of_day, calendar_tag, calendar_mode, digit_count,
//             millis, micros, ticks, leap_second
//   Writes:   era_seconds := the moment (midnight + second_of_day); for a
//             tagged date in the multi-argument layout the date fields hold
//             the Era Date and calendar_mode the typed calendar afterwards
//   Returns:  a result with outcome report and every value; the clock tag
//             only in the single-argument layout
//   Example:  the state of "01.01.2017" -> Era Day 736330, Sunday, RD
//             Gregorian 736330, E0 63618825627, 27 leap seconds
CommandResult report_from_state(ConversionState& state, ReportLayout layout, std::string_view clock_tag);

}  // namespace morvek::cli
