#pragma once

#include <cstdint>

#include "cli/conversion_state.h"

namespace morvek {

// Era seconds of the midnight of day n of the Julian (Gregorian) count, day 1
// being 01.01.0001 of that calendar. Sets calendar_mode to Julian
// (Gregorian) and leaves the date of that calendar in the date fields.
std::int64_t era_seconds_from_rd_julian(ConversionState& state, std::int32_t day_count);
std::int64_t era_seconds_from_rd_gregorian(ConversionState& state, std::int32_t day_count);

}  // namespace morvek
