#pragma once
// A date to its Era Day, in constant time, for years of any size.

#include <cstdint>
#include <optional>

#include "morvek/detail/calendar_rules.h"

namespace morvek::detail {

// Beyond this many BCE years the day number cannot fit in 64 bits;
// rejecting them first keeps the negations below in range.
inline constexpr std::int64_t year_magnitude_limit = std::int64_t{1} << 62;

// Leap years among the BCE numbers 1 .. n under the rule of the years before
// 45 BCE: every 4th, less the century years, plus the centuries numbered 2
// and 6 in each cycle of nine.
constexpr std::int64_t bce_proleptic_leap_years_through(std::int64_t n) noexcept {
    const std::int64_t centuries = n / 100;  // [0, 2^62 / 100]
    const std::int64_t leap_centuries =
        2 * (centuries / 9) + (centuries % 9 >= 2 ? 1 : 0) + (centuries % 9 >= 6 ? 1 : 0);
    return n / 4 - centuries + leap_centuries;
}
static_assert(bce_proleptic_leap_years_through(900) == 218);

// Leap years strictly between a BCE year and year 1: -44 .. -5 hold 14, the
// years before them follow the 900-year rule.
constexpr std::int64_t leap_years_after(std::int64_t year) noexcept {
    if (year >= -5) return 0;
    if (year >= -45) return (-year - 3) / 3;
    const std::int64_t n = -year;  // [46, 2^62]
    return 14 + bce_proleptic_leap_years_through(n - 1) - bce_proleptic_leap_years_through(45);
}
static_assert(leap_years_after(-45) == 14 && leap_years_after(-46) == 14 && leap_years_after(-49) == 15);

// 29 February takes the marker 0 in the table; later days move by one in a
// leap year. nullopt for 29 February of a common year.
constexpr std::optional<std::int64_t> day_of_year_in(std::int32_t table_entry, bool leap) noexcept {
    if (table_entry == february_29) {
        if (!leap) return std::nullopt;
        return 60;
    }
    return table_entry > 59 && leap ? table_entry + 1 : table_entry;
}

constexpr bool in_reform_gap(CalendarMode mode, std::int64_t year, std::int32_t month, std::int32_t day) noexcept {
    return mode == CalendarMode::Historical && year == 1582 && month == 10 && day >= 5 && day <= 14;
}

// era_day_from_year_month_day: a date read in a calendar to its Era Day.
//
//   Given:    year as written, 64 bits, no year 0 (-1 is 1 BCE); month and
//             day any values (out of range is a date that does not exist)
//   Returns:  the Era Day (01.01.0001 is 1, 31.12.-1 is -1); nullopt when
//             the date does not exist in the mode, or its Era Day would
//             leave 64 bits
//   Example:  Historical 15.10.1582 -> 577736; Julian 05.10.1582 -> 577736;
//             Historical 10.10.1582 -> nullopt
constexpr std::optional<std::int64_t> era_day_from_year_month_day(CalendarMode mode, std::int64_t year,
                                                                  std::int32_t month, std::int32_t day) noexcept {
    if (year == 0) return std::nullopt;
    if (year < 0 && mode != CalendarMode::Historical) return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
    const std::int32_t table_entry = day_of_year_table[month - 1][day - 1];  // [-1, 365]
    if (table_entry == no_such_day) return std::nullopt;

    if (year < 0) {
        if (year < -year_magnitude_limit) return std::nullopt;
        const bool leap = is_leap_year_in(CalendarMode::Historical, year);
        const auto doy = day_of_year_in(table_entry, leap);  // [1, 366]
        if (!doy) return std::nullopt;
        // The last day of a BCE year is (year + 1) * 365 - later - 1.
        const auto base = checked_multiply(year + 1, 365);
        if (!base) return std::nullopt;
        const std::int64_t length = leap ? 366 : 365;
        return checked_add(*base - leap_years_after(year), *doy - length - 1);
    }

    const bool gregorian_rule =
        mode == CalendarMode::Gregorian ||
        (mode == CalendarMode::Historical && (year > 1582 || (year == 1582 && table_entry >= reform_day_of_year)));
    const bool leap = gregorian_rule ? is_gregorian_leap_year(year) : is_julian_leap_year(year);
    const auto days_before = gregorian_rule ? gregorian_days_before_year(year) : julian_days_before_year(year);
    const auto doy = day_of_year_in(table_entry, leap);  // [1, 366]
    if (!doy || !days_before) return std::nullopt;
    if (in_reform_gap(mode, year, month, day)) return std::nullopt;  // the ten days dropped by the reform
    return checked_add(*days_before, *doy);
}

}  // namespace morvek::detail
