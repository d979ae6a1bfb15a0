#pragma once
// The leap seconds inserted into UTC, which the Era seconds count.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "morvek/calendar_types.h"
#include "morvek/detail/calendar_rules.h"

namespace morvek {

// Each leap second is the second 23:59:60 at the end of one of these days
// (30 June or 31 December, in the Gregorian calendar).
// The list is closed: no leap second has been inserted after 31.12.2016.
// Were one ever added: one row here, then the README and the manual page.
inline constexpr auto leap_second_days = std::to_array<Date>({
    {1972, 6, 30},   //  1
    {1972, 12, 31},  //  2
    {1973, 12, 31},  //  3
    {1974, 12, 31},  //  4
    {1975, 12, 31},  //  5
    {1976, 12, 31},  //  6
    {1977, 12, 31},  //  7
    {1978, 12, 31},  //  8
    {1979, 12, 31},  //  9
    {1981, 6, 30},   // 10
    {1982, 6, 30},   // 11
    {1983, 6, 30},   // 12
    {1985, 6, 30},   // 13
    {1987, 12, 31},  // 14
    {1989, 12, 31},  // 15
    {1990, 12, 31},  // 16
    {1992, 6, 30},   // 17
    {1993, 6, 30},   // 18
    {1994, 6, 30},   // 19
    {1995, 12, 31},  // 20
    {1997, 6, 30},   // 21
    {1998, 12, 31},  // 22
    {2005, 12, 31},  // 23
    {2008, 12, 31},  // 24
    {2012, 6, 30},   // 25
    {2015, 6, 30},   // 26
    {2016, 12, 31},  // 27  latest leap second
});
inline constexpr std::int32_t leap_second_count = static_cast<std::int32_t>(leap_second_days.size());

namespace detail {

// Proleptic Gregorian day number, 01.01.0001 being day 1.
constexpr std::int64_t gregorian_rata_die(std::int64_t year, std::int32_t month, std::int32_t day) noexcept {
    return *gregorian_days_before_year(year) + days_before_month[is_gregorian_leap_year(year) ? 1 : 0][month] + day;
}

// The Era seconds (E0) of each inserted 23:59:60, ascending: the second
// before the following midnight, which lies after the earlier leap seconds.
inline constexpr std::array<std::int64_t, leap_second_days.size()> leap_second_table = [] {
    std::array<std::int64_t, leap_second_days.size()> table{};
    for (std::size_t i = 0; i < leap_second_days.size(); ++i) {
        const Date& d = leap_second_days[i];
        const std::int64_t next_day_rata_die =
            d.month == 12 ? gregorian_rata_die(d.year + 1, 1, 1) : gregorian_rata_die(d.year, d.month + 1, 1);
        table[i] = (next_day_rata_die - 1) * seconds_per_day + static_cast<std::int64_t>(i);
    }
    return table;
}();

static_assert(std::all_of(leap_second_days.begin(), leap_second_days.end(), [](const Date& d) {
    return (d.month == 6 && d.day == 30) || (d.month == 12 && d.day == 31);
}));
static_assert(gregorian_rata_die(1972, 6, 30) == 720074);
static_assert(leap_second_table.front() == 62214393600);
static_assert(leap_second_table[1] == 62230291201);
static_assert(leap_second_table.back() == 63618825626);
static_assert(std::is_sorted(leap_second_table.begin(), leap_second_table.end()));

// A leap-free value passes leap second k once it reaches entry k less the
// k - 1 leap seconds before it: the leap-free value of the midnight after it.
inline constexpr std::array<std::int64_t, leap_second_days.size()> leap_free_thresholds = [] {
    std::array<std::int64_t, leap_second_days.size()> thresholds{};
    for (std::size_t i = 0; i < thresholds.size(); ++i) {
        thresholds[i] = leap_second_table[i] - static_cast<std::int64_t>(i);
    }
    return thresholds;
}();
static_assert(leap_free_thresholds[1] == 62230291200);  // 01.01.1973 00:00:00 leap-free

// insert_leap_seconds: a leap-free count of seconds (every day 86400 s) to E0.
//
//   Returns:  the E0 of the same moment, never a leap second itself;
//             saturates at the ends of the 64-bit range
//   Example:  62214393600 (01.07.1972 00:00:00 leap-free) -> 62214393601
constexpr std::int64_t insert_leap_seconds(std::int64_t leap_free_seconds) noexcept {
    // 62230291200 passes the first threshold and the second: it is the
    // midnight after the second leap second, 62230291202.
    if (leap_free_seconds < leap_free_thresholds.front()) return leap_free_seconds;
    if (leap_free_seconds >= leap_free_thresholds.back()) return saturating_add(leap_free_seconds, leap_second_count);
    const auto passed = std::upper_bound(leap_free_thresholds.begin(), leap_free_thresholds.end(), leap_free_seconds) -
                        leap_free_thresholds.begin();
    return leap_free_seconds + passed;
}

// Leap seconds inserted before the first day of the month: 0 for any year
// before 1972, leap_second_count from January 2017 on.
constexpr std::int32_t leap_seconds_before_month(std::int64_t year, std::int32_t month) noexcept {
    std::int32_t count = 0;
    for (const Date& d : leap_second_days) {
        if (d.year < year || (d.year == year && d.month < month)) ++count;
    }
    return count;
}

// True for the days that end with 23:59:60.
constexpr bool is_leap_second_day(std::int64_t year, std::int32_t month, std::int32_t day) noexcept {
    return std::any_of(leap_second_days.begin(), leap_second_days.end(),
                       [&](const Date& d) { return d.year == year && d.month == month && d.day == day; });
}

}  // namespace detail

// is_leap_second: true exactly for the Era seconds (E0) of an inserted 23:59:60.
//
//   Example:  62214393600 (30.06.1972 23:59:60) -> true; 62214393601 -> false
[[nodiscard]] constexpr bool is_leap_second(std::int64_t e0) noexcept {
    // Most moments lie outside 1972 to 2016: they skip the search.
    if (e0 < detail::leap_second_table.front() || e0 > detail::leap_second_table.back()) return false;
    return std::binary_search(detail::leap_second_table.begin(), detail::leap_second_table.end(), e0);
}

// leap_seconds_up_to: the leap seconds inserted at or before a moment.
//
//   Returns:  0 .. leap_second_count; the leap second itself is counted
//   Example:  62214393599 -> 0; 62214393600 (30.06.1972 23:59:60) -> 1
[[nodiscard]] constexpr std::int32_t leap_seconds_up_to(std::int64_t e0) noexcept {
    if (e0 < detail::leap_second_table.front()) return 0;
    if (e0 >= detail::leap_second_table.back()) return leap_second_count;
    const auto after = std::upper_bound(detail::leap_second_table.begin(), detail::leap_second_table.end(), e0);
    return static_cast<std::int32_t>(after - detail::leap_second_table.begin());
}

}  // namespace morvek
