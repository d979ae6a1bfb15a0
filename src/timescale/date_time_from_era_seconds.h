#pragma once

#include <cstdint>

#include "cli/conversion_state.h"

namespace morvek {

// Fill the date and time fields from Era seconds (E0), milliseconds (E3) or
// microseconds (E6) and return D, the Era seconds of the midnight that
// begins the day; D + second_of_day is the moment. Precondition: leap_second
// is 0. A negative E3/E6 within the last second before the Era shows
// 31.12.-1 23:59:59 with second_of_day 86400 and returns -86400.
std::int64_t date_time_from_era_seconds(ConversionState& state, std::int64_t era_seconds);
std::int64_t date_time_from_e3(ConversionState& state, std::int64_t e3);
std::int64_t date_time_from_e6(ConversionState& state, std::int64_t e6);

}  // namespace morvek
