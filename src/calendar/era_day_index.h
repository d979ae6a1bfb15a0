#pragma once
// Era Days skip 0; day indexes do not. Index 0 is 01.01.0001 (Era Day 1),
// index -1 is 31.12.-1 (Era Day -1), so index × seconds_per_day is the
// leap-free Era second of the day's midnight.

#include <cstdint>

namespace morvek {

constexpr std::int64_t day_index_from_era_day(std::int64_t era_day) { return era_day > 0 ? era_day - 1 : era_day; }
constexpr std::int64_t era_day_from_day_index(std::int64_t index) { return index >= 0 ? index + 1 : index; }

static_assert(day_index_from_era_day(1) == 0 && day_index_from_era_day(-1) == -1);
static_assert(era_day_from_day_index(0) == 1 && era_day_from_day_index(-1) == -1);

}  // namespace morvek
