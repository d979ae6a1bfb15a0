#pragma once
// The reform of 1582 in the historical calendar: Thursday 04.10.1582 (Julian)
// was followed by Friday 15.10.1582 (Gregorian). Both numbers are derived
// from the tables, so they cannot drift from them.

#include <cstdint>

#include "calendar/days_before_year.h"
#include "calendar/month_tables.h"

namespace morvek {

// Day of the year of 05.10.1582, the first date of the Gregorian rule
// (1582 is a common year in every mode).
inline constexpr std::int32_t reform_day_of_year = days_before_month[0][10] + 5;
static_assert(reform_day_of_year == 278);

// 04.10.1582, the last day of the Julian calendar in civil use.
inline constexpr std::int64_t last_julian_era_day = *julian_days_before_year(1582) + days_before_month[0][10] + 4;
static_assert(last_julian_era_day == 577735);
static_assert(*gregorian_days_before_year(1582) + days_before_month[0][10] + 15 == last_julian_era_day + 1);

}  // namespace morvek
