#pragma once
// The date of Easter Sunday: the Sunday after the paschal full moon of the
// year, the full moon found by the church's tables, the Sunday by the
// calendar itself.
//
// The Julian computus (used before the reform, and by the Orthodox
// churches to this day) gives a Julian date; the Gregorian computus (from
// 1583) a Gregorian date. Both are given for every year from 1 on, as
// their rules read, before they were in use too; in the years 1 to 8 the
// Julian Sunday is that of the calendar as kept (no leap day in 4 and 8).

#include <array>
#include <cstdint>

#include "morvek/calendar.h"

namespace morvek {

namespace detail {

// The Julian paschal full moons, as days of March (32 is 1 April), by the
// year's place in the 19-year lunar cycle (year % 19): the table of the
// Dionysian computus, 5 April for the first year of the cycle, each next
// one 11 days earlier or 19 later.
inline constexpr std::array<std::int32_t, 19> julian_paschal_full_moons = {
    36, 25, 44, 33, 22, 41, 30, 49, 38, 27, 46, 35, 24, 43, 32, 21, 40, 29, 48,
};
static_assert([] {
    for (std::size_t i = 1; i < 19; ++i) {
        const std::int32_t step = julian_paschal_full_moons[i] - julian_paschal_full_moons[i - 1];
        if (step != -11 && step != 19) return false;
    }
    return julian_paschal_full_moons[0] == 36;
}());

// The Gregorian paschal full moon as a day of March: the epact of the year
// (the moon's age on 1 January) from the golden number, moved by the solar
// equation (the leap days the Gregorian calendar leaves out: 3 in 4
// centuries) and the lunar equation (8 days in 25 centuries); epacts 24,
// and 25 after golden number 11, move one on so that no full moon date
// recurs within a cycle.
constexpr std::int32_t gregorian_paschal_full_moon(std::int64_t year) noexcept {
    const std::int64_t golden_number = year % 19 + 1;                      // [1, 19]
    const std::int64_t century = year / 100 + 1;                           // [1, 2^31 / 100]
    const std::int64_t solar = 3 * century / 4 - 12;
    const std::int64_t lunar = (8 * century + 5) / 25 - 5;
    std::int64_t epact = floor_mod(11 * golden_number + 20 + lunar - solar, 30);  // [0, 29]
    if ((epact == 25 && golden_number > 11) || epact == 24) ++epact;
    const std::int64_t full_moon = 44 - epact;                             // [14, 44]
    return static_cast<std::int32_t>(full_moon < 21 ? full_moon + 30 : full_moon);  // [21, 50]
}

// The Sunday after the full moon (a day of March) in a calendar.
constexpr Result<Date> sunday_after(CalendarMode mode, std::int32_t year, std::int32_t march_day) noexcept {
    const Date full_moon = march_day > 31 ? Date{year, 4, march_day - 31} : Date{year, 3, march_day};
    const Result<Weekday> weekday = weekday_from_date(mode, full_moon);
    if (!weekday) return weekday.error();
    const std::int32_t easter = march_day + 7 - static_cast<std::int32_t>(*weekday) % 7;  // [22, 56]
    return easter > 31 ? Date{year, 4, easter - 31} : Date{year, 3, easter};
}

}  // namespace detail

// easter_julian / easter_gregorian: Easter Sunday of a year.
//
//   Returns:  the date, a Julian (Gregorian) one, from 22 March to 25
//             April; nonexistent_date for a year before 1; out_of_range
//             where it lies beyond the Era Day domain (after the year
//             5879490 Julian, 5879611 Gregorian)
//   Example:  Julian 2024 -> 22.04.2024 (05.05.2024 Gregorian);
//             Gregorian 2024 -> 31.03.2024; Gregorian 1616 -> 03.04.1616
[[nodiscard]] constexpr Result<Date> easter_julian(std::int32_t year) noexcept {
    if (year < 1) return Status::nonexistent_date;
    return detail::sunday_after(CalendarMode::Julian, year, detail::julian_paschal_full_moons[year % 19]);
}
[[nodiscard]] constexpr Result<Date> easter_gregorian(std::int32_t year) noexcept {
    if (year < 1) return Status::nonexistent_date;
    return detail::sunday_after(CalendarMode::Gregorian, year, detail::gregorian_paschal_full_moon(year));
}

static_assert(*easter_julian(2024) == Date{2024, 4, 22} && *easter_gregorian(2024) == Date{2024, 3, 31});
static_assert(*easter_gregorian(1616) == Date{1616, 4, 3} && *easter_julian(1616) == Date{1616, 3, 31});

}  // namespace morvek
