#pragma once
// The leap seconds inserted into UTC, which the Era seconds count.

#include <array>
#include <cstddef>
#include <cstdint>

namespace morvek {

// Each leap second is the second 23:59:60 at the end of one of these days.
struct LeapSecondDay {
    std::int32_t year;
    std::int32_t month;  // 6 (30 June) or 12 (31 December)
    std::int32_t day;
};

// The list is closed: no leap second has been inserted after 31.12.2016.
// Were one ever added: one row here, then the README and the manual page.
inline constexpr auto leap_second_days = std::to_array<LeapSecondDay>({
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
inline constexpr std::size_t leap_second_count = leap_second_days.size();

// True exactly for the Era seconds (E0) of an inserted 23:59:60.
// Example: 62214393600 (30.06.1972 23:59:60) -> true.
[[nodiscard]] bool is_leap_second(std::int64_t e0);

// leap_seconds_up_to: the leap seconds inserted at or before a moment.
//
//   Returns:  0 .. leap_second_count; the leap second itself is counted
//   Example:  62214393599 -> 0; 62214393600 (30.06.1972 23:59:60) -> 1
[[nodiscard]] std::int32_t leap_seconds_up_to(std::int64_t e0);

}  // namespace morvek
