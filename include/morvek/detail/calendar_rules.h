#pragma once
// The calendar's rules as data and closed forms: month tables, the leap
// years of each mode, the days before a year, the reform of 1582, and the
// shift over the missing Era Day 0. Everything here is constexpr, so the
// landmarks below are checked by the compiler.

#include <array>
#include <cstdint>
#include <optional>

#include "morvek/calendar_types.h"
#include "morvek/detail/arithmetic.h"

namespace morvek::detail {

// [leap][month]; column 0 is unused so that January is column 1.
inline constexpr std::int32_t month_lengths[2][13] = {
    // -  Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// [leap][month]: days of the whole months before that month; [leap][13] is
// the length of the year.
inline constexpr auto days_before_month = [] {
    std::array<std::array<std::int32_t, 14>, 2> table{};
    for (int leap = 0; leap < 2; ++leap) {
        for (int month = 1; month <= 12; ++month) {
            table[leap][month + 1] = table[leap][month] + month_lengths[leap][month];
        }
    }
    return table;
}();
static_assert(days_before_month[0][13] == 365 && days_before_month[1][13] == 366);
static_assert(days_before_month[0][3] == 59 && days_before_month[0][12] == 334);

inline constexpr std::int32_t february_29 = 0;  // leap day marker
inline constexpr std::int32_t no_such_day = -1;  // 30.02, 31.04, ... marker

// [month - 1][day - 1]: day of the year in a common year, with the two markers.
inline constexpr auto day_of_year_table = [] {
    std::array<std::array<std::int32_t, 31>, 12> table{};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            std::int32_t& entry = table[month - 1][day - 1];
            if (month == 2 && day == 29) {
                entry = february_29;
            } else if (day > month_lengths[1][month]) {
                entry = no_such_day;
            } else {
                entry = days_before_month[0][month] + day;
            }
        }
    }
    return table;
}();
static_assert(day_of_year_table[0][0] == 1 && day_of_year_table[11][30] == 365);
static_assert(day_of_year_table[1][27] == 59 && day_of_year_table[2][0] == 60);
static_assert(day_of_year_table[1][28] == february_29);
static_assert(day_of_year_table[1][29] == no_such_day && day_of_year_table[3][30] == no_such_day);

// True when some year has the day in the month (29.02 included).
constexpr bool day_and_month_exist(std::int64_t month, std::int64_t day) noexcept {
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && day_of_year_table[month - 1][day - 1] != no_such_day;
}

// ---- leap years ---------------------------------------------------------------

// Divisible by 4 and not by 100, or by 400.
constexpr bool is_gregorian_leap_year(std::int64_t year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Positive years as the Julian calendar was kept: no leap day until the
// year 12, then every fourth year.
constexpr bool is_julian_leap_year(std::int64_t year) noexcept { return year >= 9 && year % 4 == 0; }

// 45 BCE to 5 BCE (years -45 to -5): every third year, starting with -44.
constexpr bool is_triennial_leap_year(std::int64_t year) noexcept {
    return year <= -5 && year >= -45 && (year - 1) % 3 == 0;
}

// Before 45 BCE, on the BCE number n = -year: every fourth year, but a
// century year only when its century number is 2 or 6 in a cycle of nine.
constexpr bool is_bce_proleptic_leap_year(std::uint64_t bce_number) noexcept {
    if (bce_number % 4 != 0) return false;
    if (bce_number % 100 != 0) return true;
    const std::uint64_t century_in_cycle = (bce_number / 100) % 9;
    return century_in_cycle == 2 || century_in_cycle == 6;
}

// The leap rule of any year in a mode; years that do not exist in the mode
// (0, and negative years outside Historical mode) are not leap years.
constexpr bool is_leap_year_in(CalendarMode mode, std::int64_t year) noexcept {
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

// ---- days of whole years from 01.01.0001 ----------------------------------------

// Proleptic Gregorian: a leap day every 4 years, less one every 100, plus
// one every 400. nullopt when the count leaves 64 bits. year >= 1.
constexpr std::optional<std::int64_t> gregorian_days_before_year(std::int64_t year) noexcept {
    const std::int64_t whole_years = year - 1;
    const std::int64_t leap_days = whole_years / 4 - whole_years / 100 + whole_years / 400;
    const auto common_days = checked_multiply(whole_years, 365);
    if (!common_days) return std::nullopt;
    return checked_add(*common_days, leap_days);
}

// Julian as kept: the leap days fall in 12, 16, 20, ..., none before 12. year >= 1.
constexpr std::optional<std::int64_t> julian_days_before_year(std::int64_t year) noexcept {
    const std::int64_t leap_days = year <= 12 ? 0 : (year - 13) / 4 + 1;
    const auto common_days = checked_multiply(year - 1, 365);
    if (!common_days) return std::nullopt;
    return checked_add(*common_days, leap_days);
}

// ---- the reform of 1582 ----------------------------------------------------------
// Thursday 04.10.1582 (Julian) was followed by Friday 15.10.1582 (Gregorian).

// Day of the year of 05.10.1582, the first date of the Gregorian rule
// (1582 is a common year in every mode).
inline constexpr std::int32_t reform_day_of_year = days_before_month[0][10] + 5;
static_assert(reform_day_of_year == 278);

// 04.10.1582, the last day of the Julian calendar in civil use.
inline constexpr std::int64_t last_julian_era_day = *julian_days_before_year(1582) + days_before_month[0][10] + 4;
static_assert(last_julian_era_day == 577735);
static_assert(*gregorian_days_before_year(1582) + days_before_month[0][10] + 15 == last_julian_era_day + 1);

// ---- the missing day 0 -------------------------------------------------------------
// Era Days skip 0; day indexes do not. Index 0 is 01.01.0001 (Era Day 1),
// index -1 is 31.12.-1 (Era Day -1), so index × seconds_per_day is the
// leap-free Era second of the day's midnight.

inline constexpr std::int64_t seconds_per_day = 24 * 60 * 60;

constexpr std::int64_t day_index_from_era_day(std::int64_t era_day) noexcept {
    return era_day > 0 ? era_day - 1 : era_day;
}
constexpr std::int64_t era_day_from_day_index(std::int64_t index) noexcept { return index >= 0 ? index + 1 : index; }

static_assert(day_index_from_era_day(1) == 0 && day_index_from_era_day(-1) == -1);
static_assert(era_day_from_day_index(0) == 1 && era_day_from_day_index(-1) == -1);

}  // namespace morvek::detail
