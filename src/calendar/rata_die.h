#pragma once

#include <cstdint>

namespace morvek {

// rd_julian_total / rd_gregorian_total: the day totals the report prints,
// for any date fields, in constant time.
//
//   Returns:  days from 01.01.0001 to the date, that day being 1, under the
//             Julian rule as kept (no leap day in the years 4 and 8) or the
//             Gregorian rule; the day of the month alone for a year below 1;
//             a month before January adds no month, one after December the
//             whole year
//   Example:  Julian (1582, 10, 4) -> 577735; Gregorian (2017, 1, 1) -> 736330
std::int64_t rd_julian_total(std::int32_t year, std::int32_t month, std::int32_t day);
std::int64_t rd_gregorian_total(std::int32_t year, std::int32_t month, std::int32_t day);

}  // namespace morvek
