#pragma once
// The 27 leap seconds inserted into UTC, 30.06.1972 to 31.12.2016.

#include <array>
#include <cstdint>

namespace morvek {

// Each leap second is the second 23:59:60 at the end of one of these days.
struct LeapSecondDay {
    std::int32_t year;
    std::int32_t month;  // 6 (30 June) or 12 (31 December)
    std::int32_t day;
};

inline constexpr std::array<LeapSecondDay, 27> leap_second_days = {{
    {1972, 6, 30}, {1972, 12, 31}, {1973, 12, 31}, {1974, 12, 31}, {1975, 12, 31},
    {1976, 12, 31}, {1977, 12, 31}, {1978, 12, 31}, {1979, 12, 31}, {1981, 6, 30},
    {1982, 6, 30}, {1983, 6, 30}, {1985, 6, 30}, {1987, 12, 31}, {1989, 12, 31},
    {1990, 12, 31}, {1992, 6, 30}, {1993, 6, 30}, {1994, 6, 30}, {1995, 12, 31},
    {1997, 6, 30}, {1998, 12, 31}, {2005, 12, 31}, {2008, 12, 31}, {2012, 6, 30},
    {2015, 6, 30}, {2016, 12, 31},
}};

// Era seconds (E0) of each inserted second 23:59:60, ascending.
extern const std::array<std::int64_t, 27> leap_second_table;

bool is_leap_second(std::int64_t era_seconds);

// Number of leap seconds at or before the moment (0 to 27); the leap second
// itself is counted.
std::int32_t leap_seconds_up_to(std::int64_t era_seconds);

// E0 of a leap-free count of seconds (every day 86400 s). Never a leap
// second itself. Saturates at the ends of the 64-bit range.
std::int64_t insert_leap_seconds(std::int64_t leap_free_seconds);

// Leap seconds inserted before the first day of the month (0 for any year
// before 1972, 27 from January 2017 on).
std::int32_t leap_seconds_before_month(std::int64_t year, std::int32_t month);

// True for the 27 days that end with 23:59:60.
bool is_leap_second_day(std::int64_t year, std::int32_t month, std::int32_t day);

}  // namespace morvek
