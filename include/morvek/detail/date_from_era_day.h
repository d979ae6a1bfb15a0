#pragma once
// An Era Day to its date, in constant time, for any 64-bit Era Day.

#include <algorithm>
#include <array>
#include <cstdint>

#include "morvek/detail/calendar_rules.h"

namespace morvek::detail {

// A date whose year may lie beyond 32 bits.
struct CalendarDate {
    std::int64_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
};

struct YearAndDay {
    std::int64_t year;
    std::int64_t day_of_year;  // [1, 366]; 0 only for Era Day 0
};

// Proleptic Gregorian, day 1 = 01.01.0001. Whole 400-year cycles of 146097
// days, then centuries of 36524, then 4-year groups of 1461, then years of
// 365; the last century of a cycle and the last year of a group are one day
// longer, hence the caps at 3.
constexpr YearAndDay gregorian_year_and_day(std::int64_t era_day) noexcept {
    if (era_day == 0) return {1, 0};
    // Below one cycle the day fits in 32 bits, whose divisions are cheaper.
    const auto days = static_cast<std::uint64_t>(era_day - 1);     // [0, 2^63 - 2]
    const auto cycles = static_cast<std::int64_t>(days / 146097);  // [0, (2^63 - 2) / 146097]
    auto rest = static_cast<std::uint32_t>(days % 146097);         // [0, 146096]: fits 32 bits
    const std::uint32_t centuries = std::min(rest / 36524, 3u);    // [0, 3]
    rest -= centuries * 36524;                                     // [0, 36524]
    const std::uint32_t groups = rest / 1461;                      // [0, 24]
    rest %= 1461;                                                  // [0, 1460]
    const std::uint32_t years = std::min(rest / 365, 3u);          // [0, 3]
    rest -= years * 365;                                           // [0, 365]
    return {cycles * 400 + centuries * 100 + groups * 4 + years + 1, rest + 1};
}

// Julian as kept: the years 1 to 11 are common (4015 days), then from 12 on
// 4-year groups of 1461 days that begin with the leap year.
constexpr YearAndDay julian_year_and_day(std::int64_t era_day) noexcept {
    if (era_day == 0) return {1, 0};
    constexpr std::int64_t days_of_years_1_to_11 = 11 * 365;
    if (era_day <= days_of_years_1_to_11) return {(era_day - 1) / 365 + 1, (era_day - 1) % 365 + 1};
    std::int64_t days = era_day - days_of_years_1_to_11 - 1;  // [0, 2^63 - 4017]
    const std::int64_t groups = days / 1461;                  // [0, 2^63 / 1461]
    days %= 1461;                                             // [0, 1460]
    if (days < 366) return {12 + groups * 4, days + 1};       // the leap year opens the group
    days -= 366;                                              // [0, 1094]
    return {12 + groups * 4 + 1 + days / 365, days % 365 + 1};
}

// A BCE year and the number of days from the end of that year back to the day
// (0 = 31 December).
struct YearAndDayBack {
    std::int64_t year;
    std::int64_t days_back;  // [0, 365]
};

// -1 to -4 are common (1460 days); -5 to -43 run in threes that begin with
// the leap year (1096 days each); -44 (leap) and -45 end the range.
constexpr YearAndDayBack triennial_year_and_day_back(std::int64_t days_back) noexcept {
    constexpr std::int64_t days_of_years_minus_1_to_minus_4 = 4 * 365;
    if (days_back < days_of_years_minus_1_to_minus_4) return {-1 - days_back / 365, days_back % 365};
    days_back -= days_of_years_minus_1_to_minus_4;  // [0, 14978]
    const std::int64_t threes = days_back / 1096;   // [0, 13]
    days_back %= 1096;                              // [0, 1095]; 730 at most in the 14th
    if (days_back < 366) return {-5 - 3 * threes, days_back};
    days_back -= 366;  // [0, 729]
    return {-5 - 3 * threes - 1 - days_back / 365, days_back % 365};
}

// Day counts of the nine centuries of a 900-year cycle before each one; the
// centuries ending in the BCE years 200 and 600 hold the one extra leap day.
inline constexpr std::array<std::int64_t, 10> century_starts = [] {
    std::array<std::int64_t, 10> starts{};
    for (int century = 0; century < 9; ++century) {
        const bool leap_century_year = is_bce_proleptic_leap_year(static_cast<std::uint64_t>(century + 1) * 100);
        starts[century + 1] = starts[century] + 36524 + (leap_century_year ? 1 : 0);
    }
    return starts;
}();
static_assert(century_starts[9] == 900 * 365 + 218);

// Days of the years -1 to -45, the triennial range.
inline constexpr std::int64_t days_of_years_minus_1_to_minus_45 = [] {
    std::int64_t days = 0;
    for (std::int64_t year = -1; year >= -45; --year) days += is_leap_year_in(CalendarMode::Historical, year) ? 366 : 365;
    return days;
}();
static_assert(days_of_years_minus_1_to_minus_45 == 45 * 365 + 14);

// Before 45 BCE, counted on the BCE number n: the year sequence n = 1, 2, 3
// ... runs backwards in time exactly as the Gregorian years run forwards,
// only with other leap centuries. So the Gregorian decomposition applies to
// the days counted back from the end of 1 BCE, as if this rule held for all
// BCE years; the years 1 to 45 BCE under it hold 45 * 365 + 11 days.
constexpr YearAndDayBack bce_proleptic_year_and_day_back(std::int64_t days_back_from_minus_46) noexcept {
    constexpr std::int64_t days_of_bce_1_to_45_by_this_rule = 45 * 365 + 11;
    std::int64_t days = days_back_from_minus_46 + days_of_bce_1_to_45_by_this_rule;  // [16436, 2^63 - 4]
    const std::int64_t cycles = days / century_starts[9];                          // [0, 2^63 / 328718]
    days %= century_starts[9];                                                     // [0, 328717]
    std::int64_t century = std::min<std::int64_t>(days / 36524, 8);                // [0, 8], at most one too high
    if (days < century_starts[century]) --century;                                 // [0, 8]
    days -= century_starts[century];                                               // [0, 36524]
    const std::int64_t groups = days / 1461;                                       // [0, 24]
    days %= 1461;                                                                  // [0, 1460]
    const std::int64_t years = std::min<std::int64_t>(days / 365, 3);              // [0, 3]
    days -= years * 365;                                                           // [0, 365]
    return {-(cycles * 900 + century * 100 + groups * 4 + years + 1), days};
}

struct MonthAndDay {
    std::int32_t month;
    std::int32_t day;
};

// The estimate day_of_year / 32 + 1 is never above the month and at most
// one below it.
constexpr MonthAndDay month_and_day(std::int64_t day_of_year, bool leap) noexcept {
    const auto& before = days_before_month[leap ? 1 : 0];
    const auto doy = static_cast<std::int32_t>(day_of_year);  // [0, 366]
    std::int32_t month = doy / 32 + 1;                        // [1, 12]
    if (doy > before[month + 1]) ++month;                     // [1, 12]
    return {month, doy - before[month]};
}

// calendar_date_from_era_day: an Era Day to its date in a mode.
//
//   Returns:  the date; a negative Era Day always gives the date of the
//             historical calendar, whatever the mode; Era Day 0, which is
//             no day, gives 00.01.0001
//   Example:  Julian 719163 -> 19.12.1969; any mode -1 -> 31.12.-1
constexpr CalendarDate calendar_date_from_era_day(CalendarMode mode, std::int64_t era_day) noexcept {
    if (era_day < 0) {
        const std::int64_t days_back = -1 - era_day;  // [0, 2^63 - 1]
        const YearAndDayBack found =
            days_back < days_of_years_minus_1_to_minus_45
                ? triennial_year_and_day_back(days_back)
                : bce_proleptic_year_and_day_back(days_back - days_of_years_minus_1_to_minus_45);
        const bool leap = is_leap_year_in(CalendarMode::Historical, found.year);
        const MonthAndDay md = month_and_day((leap ? 366 : 365) - found.days_back, leap);
        return {found.year, md.month, md.day};
    }

    const bool gregorian =
        mode == CalendarMode::Gregorian || (mode == CalendarMode::Historical && era_day > last_julian_era_day);
    const YearAndDay found = gregorian ? gregorian_year_and_day(era_day) : julian_year_and_day(era_day);
    const bool leap = gregorian ? is_gregorian_leap_year(found.year) : is_julian_leap_year(found.year);
    const MonthAndDay md = month_and_day(found.day_of_year, leap);
    return {found.year, md.month, md.day};
}

}  // namespace morvek::detail
