#pragma once
// Unix time (seconds from 01.01.1970) and Windows FILE time (100 ns units
// from 01.01.1601), both without leap seconds.

#include <cstdint>

#include "cli/conversion_state.h"

namespace morvek {

inline constexpr std::int64_t unix_epoch_era_seconds = 62135596800;  // 719162 days
inline constexpr std::int64_t file_epoch_era_seconds = 50491123200;  // 584388 days

std::int64_t era_seconds_from_unix(std::int64_t unix_time);

// Writes ticks, micros and millis from a FILE time that is not negative; a
// negative FILE time reads as 0.
std::int64_t era_seconds_from_file_time(ConversionState& state, std::int64_t file_time);

// 0 before 01.01.1601; -1 when the FILE time leaves the signed 64-bit range.
std::int64_t file_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds);

// Inside a leap second (state.leap_second 1) the Unix time of the next midnight.
std::int64_t unix_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds);

}  // namespace morvek
