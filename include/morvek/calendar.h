#pragma once
// Dates of the three calendars and the day counts between them.
//
// The Era Day counts days from 01.01.0001, which is day 1 in every calendar
// mode; the day before it is -1, and there is no day 0. From 01.01.0001 on it
// equals the proleptic Gregorian Rata Die number.
//
// Every function here is constexpr and computes in constant time. The domain
// of each: Era Days in [min_era_day, max_era_day]; dates whose Era Day lies
// there. Outside it a function answers out_of_range.

#include <array>
#include <cstdint>
#include <string_view>

#include "morvek/calendar_types.h"
#include "morvek/detail/calendar_rules.h"
#include "morvek/detail/date_from_era_day.h"
#include "morvek/detail/day_count_fast.h"
#include "morvek/detail/era_day_from_date.h"
#include "morvek/result.h"

namespace morvek {

namespace detail {
constexpr bool in_era_day_domain(DayCount era_day) noexcept {
    return era_day >= min_era_day && era_day <= max_era_day;
}
}  // namespace detail

// era_day_from_date: a date of a calendar to its Era Day.
//
//   Returns:  the Era Day; nonexistent_date for a date the calendar does not
//             have (31.04, 29.02 of a common year, year 0, a year before 1
//             outside the historical calendar, 05.10 to 14.10.1582 in the
//             historical calendar, a month or day out of range);
//             out_of_range beyond the Era Day domain
//   Example:  Historical 15.10.1582 -> 577736; Julian 05.10.1582 -> 577736;
//             Historical 10.10.1582 -> nonexistent_date
[[nodiscard]] constexpr Result<DayCount> era_day_from_date(CalendarMode mode, Date date) noexcept {
    const auto month = static_cast<std::uint32_t>(date.month);
    const auto day = static_cast<std::uint32_t>(date.day);
    if (month - 1 >= 12 || day - 1 >= static_cast<std::uint32_t>(detail::month_lengths[1][month])) {
        return Status::nonexistent_date;
    }
    const bool historical = mode == CalendarMode::Historical;
    const auto year = static_cast<std::uint32_t>(date.year);
    const bool february_29 = month == 2 && day == 29;
    if (date.year >= 1 && (mode == CalendarMode::Gregorian || (historical && date.year > 1582))) {
        if (february_29 && !detail::is_gregorian_leap_year(date.year)) return Status::nonexistent_date;
        const auto era_day = static_cast<DayCount>(detail::gregorian_days_since_march_0(year, month, day)) -
                             detail::gregorian_fast_offset;
        if (era_day > max_era_day) return Status::out_of_range;
        return era_day;
    }
    if (date.year >= detail::first_julian_fast_year && (mode == CalendarMode::Julian || date.year < 1582)) {
        if (february_29 && year % 4 != 0) return Status::nonexistent_date;
        const auto era_day =
            static_cast<DayCount>(detail::julian_days_since_march_0(year, month, day)) - detail::julian_fast_offset;
        if (era_day > max_era_day) return Status::out_of_range;
        return era_day;
    }
    // Before the year 9, and 1582 in the historical calendar.
    const auto era_day = detail::era_day_from_year_month_day(mode, date.year, date.month, date.day);
    if (!era_day) return Status::nonexistent_date;
    if (!detail::in_era_day_domain(*era_day)) return Status::out_of_range;
    return *era_day;
}

// date_from_era_day: the date an Era Day has in a calendar.
//
//   Returns:  the date; nonexistent_date for Era Day 0 and, outside the
//             historical calendar, for days before 01.01.0001; out_of_range
//             beyond the Era Day domain
//   Example:  Julian 719163 -> 19.12.1969; Historical -1 -> 31.12.-1
[[nodiscard]] constexpr Result<Date> date_from_era_day(CalendarMode mode, DayCount era_day) noexcept {
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    if (era_day >= 1) {
        const bool gregorian = mode == CalendarMode::Gregorian ||
                               (mode == CalendarMode::Historical && era_day > detail::last_julian_era_day);
        constexpr DayCount first_julian_fast_day = 8 * 365 + 1;  // 01.01.0009: no leap day in the years 1 to 8
        if (gregorian || era_day >= first_julian_fast_day) {
            const detail::FastDate date = gregorian ? detail::gregorian_date_fast(era_day) : detail::julian_date_fast(era_day);
            return Date{static_cast<std::int32_t>(date.year), date.month, date.day};
        }
    }
    if (era_day == 0 || (era_day < 0 && mode != CalendarMode::Historical)) return Status::nonexistent_date;
    const detail::CalendarDate date = detail::calendar_date_from_era_day(mode, era_day);
    return Date{static_cast<std::int32_t>(date.year), date.month, date.day};
}

// outside_civil_use: true when the calendar names a day the historical
// calendar named otherwise: a Julian date from 15.10.1582 on, a Gregorian
// date up to 04.10.1582 (Era Days 1 to 577735).
//
//   Example:  Gregorian 577735 -> true; Historical 577735 -> false
[[nodiscard]] constexpr bool outside_civil_use(CalendarMode mode, DayCount era_day) noexcept {
    if (mode == CalendarMode::Julian) return era_day > detail::last_julian_era_day;
    if (mode == CalendarMode::Gregorian) return era_day >= 1 && era_day <= detail::last_julian_era_day;
    return false;
}

// is_leap_year: whether the year has a 29 February in the calendar; years
// the calendar does not have (0, and before 1 outside the historical
// calendar) are not.
//
//   Example:  Historical 1700 -> false; Julian 1700 -> true; Historical -44 -> true
[[nodiscard]] constexpr bool is_leap_year(CalendarMode mode, std::int32_t year) noexcept {
    return detail::is_leap_year_in(mode, year);
}

// rd_julian_from_date / rd_gregorian_from_date: the day counts of the
// Julian and the proleptic Gregorian calendar, day 1 being 01.01.0001 of
// that calendar; the Julian count has no leap day in the years 4 and 8, as
// the calendar was kept.
//
//   Returns:  the count; nonexistent_date for a date the calendar does not
//             have; out_of_range beyond the Era Day domain
//   Example:  04.10.1582 -> Julian 577735; 15.10.1582 -> Gregorian 577736
[[nodiscard]] constexpr Result<DayCount> rd_julian_from_date(Date date) noexcept {
    return era_day_from_date(CalendarMode::Julian, date);
}
[[nodiscard]] constexpr Result<DayCount> rd_gregorian_from_date(Date date) noexcept {
    return era_day_from_date(CalendarMode::Gregorian, date);
}

// weekday_from_era_day: Era Day 1 is a Monday and the week runs on across
// the missing day 0, so Era Day -1 is a Sunday.
//
//   Returns:  the weekday; nonexistent_date for Era Day 0; out_of_range
//             beyond the Era Day domain
//   Example:  736330 (01.01.2017) -> Sunday
[[nodiscard]] constexpr Result<Weekday> weekday_from_era_day(DayCount era_day) noexcept {
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    if (era_day == 0) return Status::nonexistent_date;
    return static_cast<Weekday>(detail::floor_mod(detail::day_index_from_era_day(era_day), 7) + 1);
}
[[nodiscard]] constexpr Result<Weekday> weekday_from_date(CalendarMode mode, Date date) noexcept {
    const Result<DayCount> era_day = era_day_from_date(mode, date);
    if (!era_day) return era_day.error();
    return weekday_from_era_day(*era_day);
}

// weekday_name: "Monday" .. "Sunday"; empty for a value that is no weekday.
[[nodiscard]] constexpr std::string_view weekday_name(Weekday weekday) noexcept {
    constexpr std::array<std::string_view, 7> names = {
        "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
    };
    const auto index = static_cast<std::int32_t>(weekday) - 1;
    return index >= 0 && index < 7 ? names[static_cast<std::size_t>(index)] : std::string_view{};
}

// calendar_name: "historical", "julian", "gregorian", as records show them.
[[nodiscard]] constexpr std::string_view calendar_name(CalendarMode mode) noexcept {
    switch (mode) {
        case CalendarMode::Julian: return "julian";
        case CalendarMode::Gregorian: return "gregorian";
        case CalendarMode::Historical: break;
    }
    return "historical";
}

// Why a date does not exist in a calendar, for front ends that explain it.
enum class DateFault : std::uint8_t {
    none,               // the date exists
    month_out_of_range, // month not 1 .. 12
    day_out_of_range,   // day not 1 .. 31
    year_zero,          // there is no year 0: 1 BCE is -1
    year_before_era,    // a year before 1 outside the historical calendar
    day_not_in_month,   // 30.02, 31.04, 31.06, 31.09, 31.11
    not_a_leap_year,    // 29.02 of a common year of this calendar
    reform_gap,         // 05.10 to 14.10.1582 in the historical calendar
    out_of_range,       // beyond the Era Day domain
};

// date_fault: the first reason, in the order above, why the calendar has no
// such date; none when era_day_from_date gives its Era Day.
//
//   Example:  Historical 29.02.1700 -> not_a_leap_year; Julian 29.02.1700 -> none;
//             Historical 10.10.1582 -> reform_gap
[[nodiscard]] constexpr DateFault date_fault(CalendarMode mode, Date date) noexcept {
    if (date.month < 1 || date.month > 12) return DateFault::month_out_of_range;
    if (date.day < 1 || date.day > 31) return DateFault::day_out_of_range;
    if (date.year == 0) return DateFault::year_zero;
    if (date.year < 0 && mode != CalendarMode::Historical) return DateFault::year_before_era;
    if (!detail::day_and_month_exist(date.month, date.day)) return DateFault::day_not_in_month;
    if (detail::in_reform_gap(mode, date.year, date.month, date.day)) return DateFault::reform_gap;
    const Result<DayCount> era_day = era_day_from_date(mode, date);
    if (era_day) return DateFault::none;
    return era_day.error() == Status::out_of_range ? DateFault::out_of_range : DateFault::not_a_leap_year;
}

// The Julian Day Number and the Modified Julian Day of an Era Day: days
// counted without a gap, so 01.01.2000 (Era Day 730120) is JDN 2451545 and
// MJD 51544, Era Day 1 is JDN 1721426 and Era Day -1 is JDN 1721425.
// nonexistent_date for Era Day 0; out_of_range beyond the Era Day domain,
// and for a JDN or MJD whose Era Day lies beyond it.
namespace detail {
inline constexpr DayCount jdn_of_day_index_0 = 1721426;  // 01.01.0001
inline constexpr DayCount jdn_of_mjd_0 = 2400001;
}  // namespace detail

[[nodiscard]] constexpr Result<DayCount> jdn_from_era_day(DayCount era_day) noexcept {
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    if (era_day == 0) return Status::nonexistent_date;
    return detail::day_index_from_era_day(era_day) + detail::jdn_of_day_index_0;
}
[[nodiscard]] constexpr Result<DayCount> mjd_from_era_day(DayCount era_day) noexcept {
    const Result<DayCount> jdn = jdn_from_era_day(era_day);
    if (!jdn) return jdn;
    return *jdn - detail::jdn_of_mjd_0;
}
[[nodiscard]] constexpr Result<DayCount> era_day_from_jdn(DayCount jdn) noexcept {
    constexpr DayCount min_jdn = detail::day_index_from_era_day(min_era_day) + detail::jdn_of_day_index_0;
    constexpr DayCount max_jdn = detail::day_index_from_era_day(max_era_day) + detail::jdn_of_day_index_0;
    if (jdn < min_jdn || jdn > max_jdn) return Status::out_of_range;
    return detail::era_day_from_day_index(jdn - detail::jdn_of_day_index_0);
}
[[nodiscard]] constexpr Result<DayCount> era_day_from_mjd(DayCount mjd) noexcept {
    constexpr DayCount limit = max_era_day + detail::jdn_of_mjd_0;  // the sum below stays far inside 64 bits
    if (mjd < -limit || mjd > limit) return Status::out_of_range;
    return era_day_from_jdn(mjd + detail::jdn_of_mjd_0);
}

// Landmarks, checked as the library is compiled.
static_assert(*era_day_from_date(CalendarMode::Historical, {1582, 10, 15}) == 577736);
static_assert(*era_day_from_date(CalendarMode::Julian, {1582, 10, 5}) == 577736);
static_assert(!era_day_from_date(CalendarMode::Historical, {1582, 10, 10}));
static_assert(*era_day_from_date(CalendarMode::Gregorian, {1970, 1, 1}) == 719163);
static_assert(*era_day_from_date(CalendarMode::Historical, {-45, 1, 1}) == -16439);
static_assert(*date_from_era_day(CalendarMode::Julian, 719163) == Date{1969, 12, 19});
static_assert(*weekday_from_era_day(1) == Weekday::Monday && *weekday_from_era_day(-1) == Weekday::Sunday);
static_assert(*jdn_from_era_day(730120) == 2451545);
static_assert(*date_from_era_day(CalendarMode::Historical, 577735) == Date{1582, 10, 4});
static_assert(*date_from_era_day(CalendarMode::Julian, 2921) == Date{9, 1, 1});

}  // namespace morvek
