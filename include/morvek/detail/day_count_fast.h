#pragma once
// The common cases of the day conversions as Neri and Schneider count
// them ("Euclidean affine functions and their application to calendar
// algorithms", 2022): the year begins on 1 March, so the leap day is the
// year's last and no day of the year depends on the leap rule; the months
// are one affine function. The Gregorian calendar for every year from 1,
// the Julian calendar as kept from the year 9 on, where it no longer
// differs from the every-fourth-year rule but by its two missing leap days
// (4 and 8). Everything else takes the general forms.

#include <cstdint>

#include "morvek/detail/calendar_rules.h"

namespace morvek::detail {

// Days of the months from 1 March to the first of month m (3 .. 14,
// January and February counted as months 13 and 14 of the year before).
constexpr std::uint32_t days_since_march(std::uint32_t m) noexcept { return (979 * m - 2919) / 32; }
static_assert(days_since_march(3) == 0 && days_since_march(4) == 31 && days_since_march(14) == 337);

// Days from 1 March of the year 0 (proleptic) to the date, the first day
// being 1; `four_year_days * y / 4` counts the leap days of the rule.
constexpr std::uint64_t gregorian_days_since_march_0(std::uint32_t year, std::uint32_t month, std::uint32_t day) noexcept {
    const std::uint32_t january_or_february = month <= 2 ? 1 : 0;
    const std::uint64_t y = year - january_or_february;        // [0, 2^31 - 1]
    const std::uint64_t centuries = y / 100;                    // [0, 2^31 / 100]
    return 1461 * y / 4 - centuries + centuries / 4 + days_since_march(month + 12 * january_or_february) + day;
}
constexpr std::uint64_t julian_days_since_march_0(std::uint32_t year, std::uint32_t month, std::uint32_t day) noexcept {
    const std::uint32_t january_or_february = month <= 2 ? 1 : 0;
    const std::uint64_t y = year - january_or_february;
    return 1461 * y / 4 + days_since_march(month + 12 * january_or_february) + day;
}

// 01.01.0001 is Era Day 1 in both; the Julian calendar as kept has two leap
// days fewer than the rule from 01.03.0008 on.
inline constexpr std::int64_t gregorian_fast_offset = static_cast<std::int64_t>(gregorian_days_since_march_0(1, 1, 1)) - 1;
inline constexpr std::int64_t julian_fast_offset = static_cast<std::int64_t>(julian_days_since_march_0(1, 1, 1)) - 1 + 2;
inline constexpr std::int32_t first_julian_fast_year = 9;
static_assert(gregorian_fast_offset == 306 && julian_fast_offset == 308);

// The date of the day: Gregorian from Era Day 1, Julian as kept from
// 01.01.0009 (Era Day 2921) on.
struct FastDate {
    std::int64_t year;
    std::int32_t month;
    std::int32_t day;
};

// The month and day of a day of a March-based year (0 = 1 March), and
// whether it falls in January or February of the next year.
constexpr FastDate month_and_day_since_march(std::uint64_t year_before, std::uint32_t day_of_year) noexcept {
    const std::uint32_t n = 2141 * day_of_year + 197913;   // [197913, 981566]
    const std::uint32_t month = n / 65536;                  // [3, 14]
    const std::uint32_t day = n % 65536 / 2141 + 1;         // [1, 31]
    const std::uint32_t january_or_february = day_of_year >= 306 ? 1 : 0;
    return {static_cast<std::int64_t>(year_before + january_or_february),
            static_cast<std::int32_t>(month - 12 * january_or_february), static_cast<std::int32_t>(day)};
}

constexpr FastDate gregorian_date_fast(std::int64_t era_day) noexcept {
    const auto n = static_cast<std::uint64_t>(era_day + gregorian_fast_offset - 1);  // days since 1 March 0
    const std::uint64_t n1 = 4 * n + 3;
    const std::uint64_t centuries = n1 / 146097;
    const auto day_of_century = static_cast<std::uint32_t>(n1 % 146097 / 4);         // [0, 36524]
    const std::uint64_t p = std::uint64_t{2939745} * (4 * day_of_century + 3);
    const auto year_of_century = static_cast<std::uint32_t>(p >> 32);                // [0, 99]
    const auto day_of_year = static_cast<std::uint32_t>(p) / 2939745 / 4;            // [0, 365]
    return month_and_day_since_march(100 * centuries + year_of_century, day_of_year);
}

constexpr FastDate julian_date_fast(std::int64_t era_day) noexcept {
    const auto n = static_cast<std::uint64_t>(era_day + julian_fast_offset - 1);
    const std::uint64_t n1 = 4 * n + 3;
    return month_and_day_since_march(n1 / 1461, static_cast<std::uint32_t>(n1 % 1461 / 4));
}

}  // namespace morvek::detail
