#pragma once

#include <cstdint>

namespace morvek {

// 1 = Monday ... 7 = Sunday; 0 for Era Day 0, which is no day.
std::int32_t weekday_from_era_day(std::int64_t era_day);

}  // namespace morvek
