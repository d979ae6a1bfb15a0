#pragma once
// Unix and FILE time as the command reads and prints them: a FILE time's
// parts of a second live in the state's millis, micros and ticks, a negative
// FILE time reads as 0, and the report prints FILE time 0 before 1601 and
// -1 beyond the FILE range.

#include <cstdint>

#include "command/conversion_state.h"

namespace morvek::cli {

// era_seconds_from_unix: any 64-bit Unix time to E0, leap seconds inserted.
//
//   Returns:  the E0; past 9223371974719178980 the moment has no 64-bit
//             E0 and the value stops at the end of the range
//   Example:  78796800 (01.07.1972 00:00:00) -> 62214393601
std::int64_t era_seconds_from_unix(std::int64_t unix_time);

// era_seconds_from_file_time: a typed FILE time to E0.
//
//   Writes:   state.ticks, micros, millis (not for a negative FILE time,
//             which reads as FILE time 0)
//   Returns:  the E0 of the whole second, leap seconds inserted
//   Example:  12345678 -> 50491123201, millis 234, micros 567, ticks 8
std::int64_t era_seconds_from_file_time(ConversionState& state, std::int64_t file_time);

// file_time_from_era_seconds: the report's FILE time of a moment.
//
//   Reads:    state.millis, micros, ticks
//   Returns:  the FILE time; 0 before 01.01.1601; -1 when it leaves the
//             signed 64-bit range. A leap second shares the 23:59:59 before it
//   Example:  62214393600 -> 117232703990000000
std::int64_t file_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds);

// unix_time_from_era_seconds: the report's Unix time of a moment.
//
//   Reads:    state.leap_second
//   Returns:  the Unix time; inside a leap second that of the next midnight;
//             stops at the ends of the 64-bit range
//   Example:  62214393600 with leap_second 1 -> 78796800
std::int64_t unix_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds);

}  // namespace morvek::cli
