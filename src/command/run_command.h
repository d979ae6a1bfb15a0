#pragma once
// The command as one run on a state the caller owns: the public run_command
// with the state made visible, for the tests that look into it.

#include <span>
#include <string_view>

#include "command/conversion_state.h"
#include "morvek/command.h"

namespace morvek::cli {

// run_command on the caller's state.
//
//   Writes:   the state: reset first, then filled by the form's conversion
//             and, for a report, by report_from_state
//   Returns:  as morvek::run_command
CommandResult run_command(ConversionState& state, std::span<const std::string_view> arguments, UtcClock clock);

}  // namespace morvek::cli
