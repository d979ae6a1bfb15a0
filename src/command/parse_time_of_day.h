#pragma once

#include <cstdint>
#include <string_view>

#include "command/conversion_state.h"

namespace morvek::cli {

// parse_time_of_day: a time text "hh:mm:ss" to the seconds since midnight.
//
//   Given:    fields of at most 2 characters, read as "%d" reads them
//   Reads:    day, month, year as parse_date left them (the historical date
//             of the day), for 23:59:60 only
//   Writes:   hour, minute, second, leap_second (first 0; leap_second 1 for
//             second 60 at 23:59); bad_format for a field out of range or a
//             missing separator; time_nonexistent for 23:59:60 on a day
//             without a leap second, or second 60 at any other minute
//   Returns:  0 .. 86400 (86400 is 23:59:60); 0 on failure
//   Example:  "23:59:60" after 31.12.2016 -> 86400; after 31.12.2017 -> 0,
//             time_nonexistent
std::int32_t parse_time_of_day(ConversionState& state, std::string_view text);

}  // namespace morvek::cli
