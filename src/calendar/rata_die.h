#pragma once

#include <cstdint>

namespace morvek {

// Days from 01.01.0001 to the date, that day being 1, under the historical
// Julian rule (no leap day in the years 4 and 8) and under the Gregorian rule.
// Years below 1 give the day of the month alone. A month before January
// adds no month, one after December the whole year. Constant time.
std::int64_t rd_julian_from_date(std::int32_t year, std::int32_t month, std::int32_t day);
std::int64_t rd_gregorian_from_date(std::int32_t year, std::int32_t month, std::int32_t day);

}  // namespace morvek
