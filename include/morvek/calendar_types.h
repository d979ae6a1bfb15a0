#pragma once
// The values the calendar functions take and give: a calendar, a date, a
// count of days, a day of the week.

#include <compare>
#include <cstdint>
#include <limits>

namespace morvek {

enum class CalendarMode : std::int32_t {
    Historical = 0,  // Julian as kept until 04.10.1582, Gregorian from 15.10.1582, years BCE too
    Julian = 1,      // the Julian calendar of the Common Era, without the reform of 1582
    Gregorian = 2,   // the proleptic Gregorian calendar from 01.01.0001
};

// Every count of days: Era Days, Rata Die counts, Julian Day Numbers.
using DayCount = std::int64_t;

// A date as written: there is no year 0; 1 is the first year of the Common
// Era and -1 is 1 BCE. Only the historical calendar has years before 1.
// Dates order as they are written, year first.
struct Date {
    std::int32_t year = 1;
    std::int32_t month = 1;  // 1 .. 12
    std::int32_t day = 1;    // 1 .. 31
    friend constexpr auto operator<=>(const Date&, const Date&) = default;
};

enum class Weekday : std::int32_t {
    Monday = 1, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday,
};

// A historical calendar: the Julian calendar as kept up to the day before
// first_gregorian_day, the Gregorian calendar from that Era Day on; the
// dates between the two never were. Before 45 BCE and in the triennial
// years it is the historical calendar above; only the switch moves. Rome's
// reform (15.10.1582, Era Day 577736) is CalendarMode::Historical.
struct Reform {
    DayCount first_gregorian_day = 577736;
    friend constexpr bool operator==(const Reform&, const Reform&) = default;
};

// The day on which a year's number changes, as places kept it: january
// (1 January), annunciation (25 March: England and its colonies until
// 1752), christmas (25 December of the year before).
enum class YearStart : std::uint8_t { january, annunciation, christmas };

// The Era Days the calendar functions take: the signed 32-bit range, from
// 04.01.-5879615 to 11.07.5879611 (Gregorian; Julian 19.10.5879490). Every
// day in it has a date in the historical calendar, every day from 1 on in
// all three.
inline constexpr DayCount min_era_day = std::numeric_limits<std::int32_t>::min();
inline constexpr DayCount max_era_day = std::numeric_limits<std::int32_t>::max();

}  // namespace morvek
