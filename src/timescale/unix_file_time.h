#pragma once
// Unix time and Windows FILE time; the public conversions are declared in
// morvek/time_scales.h.

#include <cstdint>

namespace morvek {

// era_seconds_from_unix: any 64-bit Unix time to E0, leap seconds inserted.
//
//   Returns:  the E0; past 9223371974719178980 the moment has no 64-bit
//             E0 and the value stops at the end of the range
//   Example:  78796800 (01.07.1972 00:00:00) -> 62214393601
std::int64_t era_seconds_from_unix(std::int64_t unix_time);

}  // namespace morvek
