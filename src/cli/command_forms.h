#pragma once
// The command forms: each chooses and runs one conversion on the state and
// tells how the run ends. Ending::none leaves a filled state for the report.

#include <string_view>

#include "cli/conversion_state.h"
#include "cli/numeric_arguments.h"
#include "morvek/command.h"

namespace morvek {

inline constexpr std::string_view utc_clock_tag = "(UTC)";

// A first character "-" or "/" and a second that is not a decimal digit, so
// that -5 stays a number.
bool is_switch(std::string_view text);

// A date, the current time (which sets clock_tag) or a bare E0 value.
Ending run_one_argument_form(ConversionState& state, std::string_view first, UtcClock clock,
                             std::string_view& clock_tag);

// A number or date with a switch, or a date and a time.
Ending run_two_argument_form(ConversionState& state, std::string_view first, std::string_view second);

// A date and a time in the calendar the switch names.
Ending run_three_argument_form(ConversionState& state, std::string_view date, std::string_view time,
                               std::string_view calendar_switch);

}  // namespace morvek
