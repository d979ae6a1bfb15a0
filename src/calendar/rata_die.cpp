#include "calendar/rata_die.h"

#include <algorithm>

#include "calendar/days_before_year.h"
#include "calendar/era_day_from_date.h"
#include "calendar/leap_years.h"
#include "calendar/month_tables.h"

namespace morvek {
namespace {

// Whole months before the month: none before January, the whole year after
// December.
std::int64_t days_of_months_before(std::int32_t month, bool leap) {
    return days_before_month[leap ? 1 : 0][std::clamp(month, 1, 13)];
}

}  // namespace

// A 32-bit year keeps every count far inside 64 bits.
std::int64_t rd_julian_total(std::int32_t year, std::int32_t month, std::int32_t day) {
    if (year < 1) return day;
    return day + *julian_days_before_year(year) + days_of_months_before(month, is_julian_leap_year(year));
}

std::int64_t rd_gregorian_total(std::int32_t year, std::int32_t month, std::int32_t day) {
    if (year < 1) return day;
    return day + *gregorian_days_before_year(year) + days_of_months_before(month, is_gregorian_leap_year(year));
}

// For a date the calendar has, its count is its Era Day in that mode.
Result<std::int64_t> rd_julian_from_date(Date date) { return era_day_from_date(CalendarMode::Julian, date); }

Result<std::int64_t> rd_gregorian_from_date(Date date) { return era_day_from_date(CalendarMode::Gregorian, date); }

}  // namespace morvek
