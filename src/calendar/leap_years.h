#pragma once
// The leap-year rules of the three calendar modes, range by range.

#include <cstdint>

#include "morvek/calendar.h"

namespace morvek {

// Divisible by 4 and not by 100, or by 400.
constexpr bool is_gregorian_leap_year(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Positive years as the Julian calendar was kept: no leap day until the
// year 12, then every fourth year.
constexpr bool is_julian_leap_year(std::int64_t year) { return year >= 9 && year % 4 == 0; }

// 45 BCE to 5 BCE (years -45 to -5): every third year, starting with -44.
constexpr bool is_triennial_leap_year(std::int64_t year) {
    return year <= -5 && year >= -45 && (year - 1) % 3 == 0;
}

// Before 45 BCE, on the BCE number n = -year: every fourth year, but a
// century year only when its century number is 2 or 6 in a cycle of nine.
constexpr bool is_bce_proleptic_leap_year(std::uint64_t bce_number) {
    if (bce_number % 4 != 0) return false;
    if (bce_number % 100 != 0) return true;
    const std::uint64_t century_in_cycle = (bce_number / 100) % 9;
    return century_in_cycle == 2 || century_in_cycle == 6;
}

// The leap rule of any year in a mode; years that do not exist in the mode
// (0, and negative years outside Historical mode) are not leap years.
constexpr bool is_leap_year(CalendarMode mode, std::int64_t year) {
    if (year == 0) return false;
    if (year < 0) {
        if (mode != CalendarMode::Historical) return false;
        if (year >= -4) return false;
        if (year >= -45) return is_triennial_leap_year(year);
        return is_bce_proleptic_leap_year(0 - static_cast<std::uint64_t>(year));
    }
    switch (mode) {
        case CalendarMode::Gregorian:
            return is_gregorian_leap_year(year);
        case CalendarMode::Julian:
            return is_julian_leap_year(year);
        case CalendarMode::Historical:
            break;
    }
    if (year == 1582) return false;
    return year < 1582 ? is_julian_leap_year(year) : is_gregorian_leap_year(year);
}

}  // namespace morvek
