#pragma once
// The day totals the report prints, for any date fields the state holds.

#include <algorithm>
#include <cstdint>

#include "morvek/detail/calendar_rules.h"

namespace morvek::cli {

namespace detail_totals {
// Whole months before the month: none before January, the whole year after
// December.
constexpr std::int64_t days_of_months_before(std::int32_t month, bool leap) noexcept {
    return morvek::detail::days_before_month[leap ? 1 : 0][std::clamp(month, 1, 13)];
}
}  // namespace detail_totals

// rd_julian_total / rd_gregorian_total: days from 01.01.0001 to the date,
// that day being 1, under the Julian rule as kept (no leap day in the years
// 4 and 8) or the Gregorian rule; the day of the month alone for a year
// below 1; a month before January adds no month, one after December the
// whole year. A 32-bit year keeps every count far inside 64 bits.
//
//   Example:  Julian (1582, 10, 4) -> 577735; Gregorian (2017, 1, 1) -> 736330
constexpr std::int64_t rd_julian_total(std::int32_t year, std::int32_t month, std::int32_t day) noexcept {
    if (year < 1) return day;
    return day + *morvek::detail::julian_days_before_year(year) +
           detail_totals::days_of_months_before(month, morvek::detail::is_julian_leap_year(year));
}
constexpr std::int64_t rd_gregorian_total(std::int32_t year, std::int32_t month, std::int32_t day) noexcept {
    if (year < 1) return day;
    return day + *morvek::detail::gregorian_days_before_year(year) +
           detail_totals::days_of_months_before(month, morvek::detail::is_gregorian_leap_year(year));
}

}  // namespace morvek::cli
