#pragma once
// ISO 8601 week dates (2016-W52-6) and ordinal dates (2016-366) of the
// proleptic Gregorian calendar with astronomical years (0 is 1 BCE), as
// ISO 8601 counts them: week 1 is the week (Monday to Sunday) that holds
// the year's first Thursday, so a week-year has 52 or 53 weeks.
//
// Every function here is constexpr and computes in constant time; the
// domain is the Era Days in [min_era_day, max_era_day].

#include <cstdint>

#include "morvek/calendar.h"
#include "morvek/text.h"

namespace morvek {

struct IsoWeekDate {
    std::int32_t year = 1;  // the week-year, astronomical
    std::int32_t week = 1;  // [1, 53]
    Weekday weekday = Weekday::Monday;
    friend constexpr bool operator==(const IsoWeekDate&, const IsoWeekDate&) = default;
};

struct OrdinalDate {
    std::int32_t year = 1;  // astronomical
    std::int32_t day = 1;   // [1, 366]
    friend constexpr bool operator==(const OrdinalDate&, const OrdinalDate&) = default;
};

namespace detail {

inline constexpr std::int64_t days_per_400_gregorian_years = 146097;  // exactly 20871 weeks

// The day index (01.01.0001 is 0) of 1 January of an astronomical year:
// whole 400-year cycles carry the years before 1 into the Common Era.
constexpr std::int64_t gregorian_year_start_index(std::int64_t year) noexcept {
    const std::int64_t cycles_back = year < 1 ? (400 - year) / 400 : 0;  // [0, 2^31 / 400]
    return *gregorian_days_before_year(year + 400 * cycles_back) - cycles_back * days_per_400_gregorian_years;
}
static_assert(gregorian_year_start_index(1) == 0 && gregorian_year_start_index(0) == -366);

struct AstronomicalYearAndDay {
    std::int64_t year;
    std::int32_t day;  // [1, 366]
};

constexpr AstronomicalYearAndDay gregorian_year_and_day_of_index(std::int64_t index) noexcept {
    const std::int64_t cycles_back =
        index < 0 ? (-index + days_per_400_gregorian_years - 1) / days_per_400_gregorian_years : 0;
    const YearAndDay found = gregorian_year_and_day(index + cycles_back * days_per_400_gregorian_years + 1);
    return {found.year - 400 * cycles_back, static_cast<std::int32_t>(found.day_of_year)};
}

// The weekday of a day index, 1 (Monday) to 7: index 0 is a Monday.
constexpr std::int32_t iso_weekday_of_index(std::int64_t index) noexcept {
    return static_cast<std::int32_t>(floor_mod(index, 7)) + 1;
}

// The index of the Monday of week 1: the week of 4 January.
constexpr std::int64_t first_iso_monday_index(std::int64_t year) noexcept {
    const std::int64_t january_4 = gregorian_year_start_index(year) + 3;
    return january_4 - (iso_weekday_of_index(january_4) - 1);
}

constexpr bool in_index_domain(std::int64_t index) noexcept {
    return index >= day_index_from_era_day(min_era_day) && index <= day_index_from_era_day(max_era_day);
}

}  // namespace detail

// iso_weeks_in_year: 53 for a week-year that begins on a Thursday, or on a
// Wednesday in a leap year; else 52.
//   Example:  2015 -> 53; 2016 -> 52
[[nodiscard]] constexpr std::int32_t iso_weeks_in_year(std::int32_t year) noexcept {
    return detail::first_iso_monday_index(static_cast<std::int64_t>(year) + 1) - detail::first_iso_monday_index(year) ==
                   53 * 7
               ? 53
               : 52;
}

// iso_week_date_from_era_day: the ISO week date of a day.
//   Returns:  the week date; nonexistent_date for Era Day 0; out_of_range beyond the domain
//   Example:  736329 (31.12.2016) -> 2016-W52-6; 736330 (01.01.2017) -> 2016-W52-7
[[nodiscard]] constexpr Result<IsoWeekDate> iso_week_date_from_era_day(DayCount era_day) noexcept {
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    if (era_day == 0) return Status::nonexistent_date;
    const std::int64_t index = detail::day_index_from_era_day(era_day);
    const std::int32_t weekday = detail::iso_weekday_of_index(index);
    // The week belongs to the year of its Thursday.
    const detail::AstronomicalYearAndDay thursday = detail::gregorian_year_and_day_of_index(index + 4 - weekday);
    return IsoWeekDate{static_cast<std::int32_t>(thursday.year), (thursday.day - 1) / 7 + 1, static_cast<Weekday>(weekday)};
}

// era_day_from_iso_week_date: the day of an ISO week date.
//   Returns:  the Era Day; nonexistent_date for a week beyond the year's
//             last or a weekday out of range; out_of_range beyond the domain
//   Example:  2016-W52-6 -> 736329; 2016-W53-1 -> nonexistent_date
[[nodiscard]] constexpr Result<DayCount> era_day_from_iso_week_date(IsoWeekDate date) noexcept {
    const auto weekday = static_cast<std::int32_t>(date.weekday);
    if (date.week < 1 || date.week > iso_weeks_in_year(date.year) || weekday < 1 || weekday > 7) {
        return Status::nonexistent_date;
    }
    const std::int64_t index = detail::first_iso_monday_index(date.year) + 7 * (date.week - 1) + weekday - 1;
    if (!detail::in_index_domain(index)) return Status::out_of_range;
    return detail::era_day_from_day_index(index);
}

// ordinal_date_from_era_day: the year and the day of the year, proleptic Gregorian.
//   Example:  736329 -> 2016-366; -1 -> 0-366
[[nodiscard]] constexpr Result<OrdinalDate> ordinal_date_from_era_day(DayCount era_day) noexcept {
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    if (era_day == 0) return Status::nonexistent_date;
    const detail::AstronomicalYearAndDay found =
        detail::gregorian_year_and_day_of_index(detail::day_index_from_era_day(era_day));
    return OrdinalDate{static_cast<std::int32_t>(found.year), found.day};
}

// era_day_from_ordinal_date: the day of an ordinal date.
//   Returns:  the Era Day; nonexistent_date for day 0, or 366 of a common
//             year; out_of_range beyond the domain
//   Example:  2016-366 -> 736329; 2017-366 -> nonexistent_date
[[nodiscard]] constexpr Result<DayCount> era_day_from_ordinal_date(OrdinalDate date) noexcept {
    const std::int32_t length = detail::is_gregorian_leap_year(date.year) ? 366 : 365;
    if (date.day < 1 || date.day > length) return Status::nonexistent_date;
    const std::int64_t index = detail::gregorian_year_start_index(date.year) + date.day - 1;
    if (!detail::in_index_domain(index)) return Status::out_of_range;
    return detail::era_day_from_day_index(index);
}

// The texts: "2016-W52-6" and "2016-366", the year as the iso field writes
// it (four digits from 0000 to 9999, else a sign and six digits).
using WeekDateText = FixedText<24>;
// iso_week_date_text: Example: 2016-W52-6 -> "2016-W52-6"
[[nodiscard]] WeekDateText iso_week_date_text(IsoWeekDate date) noexcept;
// ordinal_date_text: Example: 2016-366 -> "2016-366"; -1-001 -> "-000001-001"
[[nodiscard]] WeekDateText ordinal_date_text(OrdinalDate date) noexcept;

static_assert(*iso_week_date_from_era_day(736329) == IsoWeekDate{2016, 52, Weekday::Saturday});
static_assert(*iso_week_date_from_era_day(736330) == IsoWeekDate{2016, 52, Weekday::Sunday});
static_assert(*era_day_from_iso_week_date({2016, 52, Weekday::Saturday}) == 736329);
static_assert(iso_weeks_in_year(2015) == 53 && iso_weeks_in_year(2016) == 52);
static_assert(*ordinal_date_from_era_day(-1) == OrdinalDate{0, 366});
static_assert(*era_day_from_ordinal_date({2016, 366}) == 736329);

}  // namespace morvek
