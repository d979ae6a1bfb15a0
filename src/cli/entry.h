#pragma once

#include <span>

#include "cli/conversion_state.h"
#include "cli/output.h"
#include "timescale/utc_clock.h"

namespace morvek {

// Runs one command: the arguments after the program name, the clock for the
// current-time form and the writer for all output. Prints the report, the
// usage text or one message, and returns the exit code, always 0.
int run_morvek(ConversionState& state, std::span<const char* const> arguments, UtcClock clock,
               OutputSink out);

}  // namespace morvek
