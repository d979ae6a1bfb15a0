#pragma once
// The command forms: each chooses and runs one conversion on the state and
// tells how the run ends: CommandOutcome::report leaves a filled state for
// the report.

#include <string_view>

#include "command/conversion_state.h"
#include "command/numeric_arguments.h"
#include "morvek/command.h"

namespace morvek::cli {

inline constexpr std::string_view utc_clock_tag = "(UTC)";

// A first character "-" or "/" and a second that is not a decimal digit, so
// that -5 stays a number.
bool is_switch(std::string_view text);

// run_one_argument_form / _two_ / _three_: one command form on a reset state.
//
//   Given:    one argument: a date, the current-time switch or a bare E0;
//             two: a number or date with a switch, or a date and a time;
//             three: a date and a time with /J or /G
//   Reads:    the clock, for /C only
//   Writes:   the state as the form's conversion leaves it, era_seconds the
//             midnight and second_of_day the seconds after it; clock_tag
//             := "(UTC)" for /C
//   Returns:  report, else how the run ends
//   Example:  ("1483228800", "/U") -> report, era_seconds 63618825627;
//             ("01.01.2000", "23:59:60") -> nonexistent_time
CommandOutcome run_one_argument_form(ConversionState& state, std::string_view first, UtcClock clock,
                             std::string_view& clock_tag);
CommandOutcome run_two_argument_form(ConversionState& state, std::string_view first, std::string_view second);
CommandOutcome run_three_argument_form(ConversionState& state, std::string_view date, std::string_view time,
                               std::string_view calendar_switch);

}  // namespace morvek::cli
