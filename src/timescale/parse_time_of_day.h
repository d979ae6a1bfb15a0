#pragma once

#include <cstdint>
#include <string_view>

#include "cli/conversion_state.h"

namespace morvek {

// Reads "hh:mm:ss" and returns the seconds since midnight (86400 for
// 23:59:60). 23:59:60 exists only on the leap-second days, tested against
// the date fields that parse_date left. Sets bad_format or time_nonexistent
// (and returns 0) otherwise.
std::int32_t parse_time_of_day(ConversionState& state, std::string_view text);

}  // namespace morvek
