#pragma once

#include <cstdint>

#include "cli/conversion_state.h"
#include "morvek/command.h"

namespace morvek {

// Reads the clock, sets the date and time fields and second_of_day through
// the text parsers, and returns the Era seconds of today's midnight.
std::int64_t era_seconds_now(ConversionState& state, UtcClock clock);

}  // namespace morvek
