#pragma once
// Dates of the three calendars and the day counts between them.
//
// The Era Day counts days from 01.01.0001, which is day 1 in every calendar
// mode; the day before it is -1, and there is no day 0. From 01.01.0001 on it
// equals the proleptic Gregorian Rata Die number.

#include <cstdint>
#include <limits>
#include <string_view>

#include "morvek/result.h"

namespace morvek {

enum class CalendarMode : std::int32_t {
    Historical = 0,  // Julian as kept until 04.10.1582, Gregorian from 15.10.1582, years BCE too
    Julian = 1,      // the Julian calendar of the Common Era, without the reform of 1582
    Gregorian = 2,   // the proleptic Gregorian calendar from 01.01.0001
};

// A date as written: there is no year 0; 1 is the first year of the Common
// Era and -1 is 1 BCE. Only the historical calendar has years before 1.
struct Date {
    std::int32_t year = 1;
    std::int32_t month = 1;  // 1 .. 12
    std::int32_t day = 1;    // 1 .. 31
    friend constexpr bool operator==(const Date&, const Date&) = default;
};

// The Era Days the calendar functions take: the signed 32-bit range, from
// 04.01.-5879615 to 11.07.5879611 (Gregorian; Julian 19.10.5879490). Every
// day in it has a date in the historical calendar, every day from 1 on in
// all three.
inline constexpr std::int64_t min_era_day = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int64_t max_era_day = std::numeric_limits<std::int32_t>::max();

// era_day_from_date: a date of a calendar to its Era Day, in constant time.
//
//   Returns:  the Era Day; nonexistent_date for a date the calendar does not
//             have (31.04, 29.02 of a common year, year 0, a year before 1
//             outside the historical calendar, 05.10 to 14.10.1582 in the
//             historical calendar); out_of_range beyond the Era Day limits.
//   Example:  Historical 15.10.1582 -> 577736; Julian 05.10.1582 -> 577736;
//             Historical 10.10.1582 -> nonexistent_date
[[nodiscard]] Result<std::int64_t> era_day_from_date(CalendarMode mode, Date date);

// date_from_era_day: the date an Era Day has in a calendar, in constant time.
//
//   Returns:  the date; nonexistent_date for Era Day 0 and, outside the
//             historical calendar, for days before 01.01.0001; out_of_range
//             beyond the Era Day limits.
//   Example:  Julian 719163 -> 19.12.1969; Historical -1 -> 31.12.-1
[[nodiscard]] Result<Date> date_from_era_day(CalendarMode mode, std::int64_t era_day);

// True when the calendar names a day the historical calendar named
// otherwise: a Julian date from 15.10.1582 on, a Gregorian date up to
// 04.10.1582 (Era Days 1 to 577735). Example: Gregorian 577735 -> true.
[[nodiscard]] bool outside_civil_use(CalendarMode mode, std::int64_t era_day);

// The day counts of the Julian and the proleptic Gregorian calendar, day 1
// being 01.01.0001 of that calendar; the Julian count has no leap day in the
// years 4 and 8, as the calendar was kept. nonexistent_date for a date the
// calendar does not have. Example: 04.10.1582 -> Julian 577735;
// 15.10.1582 -> Gregorian 577736.
[[nodiscard]] Result<std::int64_t> rd_julian_from_date(Date date);
[[nodiscard]] Result<std::int64_t> rd_gregorian_from_date(Date date);

enum class Weekday : std::int32_t {
    Monday = 1, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday,
};

// Era Day 1 is a Monday and the week runs on across the missing day 0, so
// Era Day -1 is a Sunday. nonexistent_date for Era Day 0.
[[nodiscard]] Result<Weekday> weekday_from_era_day(std::int64_t era_day);
[[nodiscard]] Result<Weekday> weekday_from_date(CalendarMode mode, Date date);

// "Monday" .. "Sunday".
[[nodiscard]] std::string_view weekday_name(Weekday weekday);

// The Julian Day Number and the Modified Julian Day of an Era Day: days
// counted without a gap, so 01.01.2000 (Era Day 730120) is JDN 2451545 and
// MJD 51544, Era Day 1 is JDN 1721426 and Era Day -1 is JDN 1721425.
// nonexistent_date for Era Day 0, out_of_range beyond the Era Day limits.
[[nodiscard]] Result<std::int64_t> jdn_from_era_day(std::int64_t era_day);
[[nodiscard]] Result<std::int64_t> mjd_from_era_day(std::int64_t era_day);
[[nodiscard]] Result<std::int64_t> era_day_from_jdn(std::int64_t jdn);
[[nodiscard]] Result<std::int64_t> era_day_from_mjd(std::int64_t mjd);

}  // namespace morvek
