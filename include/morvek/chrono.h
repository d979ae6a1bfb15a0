#pragma once
// Morvek's days and moments to and from the standard library's calendar
// types: std::chrono::sys_days and year_month_day for proleptic Gregorian
// dates, and std::chrono::sys_time<Duration> for instants.
//
// sys_time counts UTC without leap seconds, as Unix time does. So a moment
// inside a leap second (23:59:60.x) becomes the sys_time of the midnight
// after it exactly, and no sys_time gives a moment inside a leap second:
// 31.12.2016 23:59:60.5 -> 2017-01-01 00:00:00, which converts back to the
// moment of 01.01.2017 00:00:00.

#include <chrono>
#include <cstdint>
#include <limits>
#include <ratio>
#include <type_traits>

#include "morvek/calendar.h"
#include "morvek/moment.h"

namespace morvek {

namespace detail {
// 01.01.1970, the epoch of sys_days, is the day at index 719162.
inline constexpr DayCount day_index_of_sys_days_epoch = 719162;
}  // namespace detail

// era_day_from_sys_days: the Era Day of a day of the system clock's count.
//   Domain:   the days whose Era Day lies in [min_era_day, max_era_day]
//   Example:  sys_days{2017y/1/1} -> 736330; sys_days{0y/12/31} -> -1
[[nodiscard]] constexpr Result<DayCount> era_day_from_sys_days(std::chrono::sys_days day) noexcept {
    const auto count = static_cast<std::int64_t>(day.time_since_epoch().count());
    constexpr std::int64_t limit = std::int64_t{1} << 40;  // far beyond the domain, so the sum is safe
    if (count < -limit || count > limit) return Status::out_of_range;
    const DayCount era_day = detail::era_day_from_day_index(count + detail::day_index_of_sys_days_epoch);
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    return era_day;
}

// sys_days_from_era_day: the day of the system clock's count of an Era Day.
//   Returns:  nonexistent_date for Era Day 0; out_of_range beyond the Era
//             Day domain
//   Example:  719163 -> sys_days{1970y/1/1}
[[nodiscard]] constexpr Result<std::chrono::sys_days> sys_days_from_era_day(DayCount era_day) noexcept {
    if (!detail::in_era_day_domain(era_day)) return Status::out_of_range;
    if (era_day == 0) return Status::nonexistent_date;
    using rep = std::chrono::days::rep;
    return std::chrono::sys_days{
        std::chrono::days{static_cast<rep>(detail::day_index_from_era_day(era_day) - detail::day_index_of_sys_days_epoch)}};
}

// date_from_year_month_day: a std::chrono date as a date of Morvek's
// Gregorian calendar, which begins with the year 1.
//   Returns:  nonexistent_date for a date that is not ok() or lies before
//             the year 1 (use sys_days and era_day_from_sys_days for those)
//   Example:  2016y/12/31 -> {2016, 12, 31}
[[nodiscard]] constexpr Result<Date> date_from_year_month_day(std::chrono::year_month_day date) noexcept {
    if (!date.ok() || static_cast<int>(date.year()) < 1) return Status::nonexistent_date;
    return Date{static_cast<int>(date.year()), static_cast<std::int32_t>(unsigned{date.month()}),
                static_cast<std::int32_t>(unsigned{date.day()})};
}

// year_month_day_from_date: the proleptic Gregorian std::chrono date of the
// day a date names in a calendar (years of std::chrono count 1 BCE as 0).
//   Returns:  as era_day_from_date; out_of_range beyond std::chrono's years
//             (-32767 to 32767)
//   Example:  Julian {1582, 10, 5} -> 1582y/10/15; Historical {-1, 12, 31} -> 0y/12/31
[[nodiscard]] constexpr Result<std::chrono::year_month_day> year_month_day_from_date(CalendarMode mode,
                                                                                    Date date) noexcept {
    const Result<DayCount> era_day = era_day_from_date(mode, date);
    if (!era_day) return era_day.error();
    const auto index = detail::day_index_from_era_day(*era_day);
    using namespace std::chrono;
    constexpr DayCount first_index =
        sys_days{year::min() / January / 1}.time_since_epoch().count() + detail::day_index_of_sys_days_epoch;
    constexpr DayCount last_index =
        sys_days{year::max() / December / 31}.time_since_epoch().count() + detail::day_index_of_sys_days_epoch;
    if (index < first_index || index > last_index) return Status::out_of_range;
    return year_month_day{sys_days{days{static_cast<days::rep>(index - detail::day_index_of_sys_days_epoch)}}};
}

namespace detail {
template <class Duration>
constexpr void check_duration() noexcept {
    using period = typename Duration::period;
    static_assert(std::is_integral_v<typename Duration::rep>, "an integral count");
    static_assert(period::num == 1 || period::den == 1, "whole fractions or whole multiples of a second");
    if constexpr (period::num == 1) {
        static_assert(nanoseconds_per_second % period::den == 0 || period::den % nanoseconds_per_second == 0,
                      "a decimal fraction of a second");
    }
}
}  // namespace detail

// moment_from_sys_time: an instant of the system clock's count (Unix time
// at any resolution with an integral count, from days to picoseconds).
//   Domain:   the instants whose Unix seconds lie in [min_unix_time, max_unix_time]
//   Example:  sys_seconds{1483228800s} -> {63618825627, 0} (01.01.2017 00:00:00)
template <class Duration>
[[nodiscard]] constexpr Result<Moment> moment_from_sys_time(std::chrono::sys_time<Duration> time) noexcept {
    detail::check_duration<Duration>();
    using period = typename Duration::period;
    const auto count = static_cast<std::int64_t>(time.time_since_epoch().count());
    if constexpr (period::num == 1) {
        constexpr std::int64_t per_second = period::den;
        const std::int64_t sub = detail::floor_mod(count, per_second);
        const auto nanosecond = static_cast<std::int32_t>(
            per_second <= nanoseconds_per_second ? sub * (nanoseconds_per_second / per_second)
                                                 : sub / (per_second / nanoseconds_per_second));
        return moment_from_unix_time({detail::floor_div(count, per_second), nanosecond});
    } else {
        const auto seconds = detail::checked_multiply(count, period::num);
        if (!seconds) return Status::out_of_range;
        return moment_from_unix_time({*seconds, 0});
    }
}

// sys_time_from_moment: the instant of the system clock's count, floored to
// Duration; a moment inside a leap second gives the midnight after it.
//   Returns:  out_of_range outside [min_moment, max_moment] or where the
//             count leaves Duration's 64-bit range
//   Example:  {63618825626, 500000000} (31.12.2016 23:59:60.5) ->
//             sys_seconds{1483228800s}
template <class Duration>
[[nodiscard]] constexpr Result<std::chrono::sys_time<Duration>> sys_time_from_moment(Moment moment) noexcept {
    detail::check_duration<Duration>();
    using period = typename Duration::period;
    using rep = typename Duration::rep;
    const Result<UnixTime> unix_time = unix_time_from_moment(moment);
    if (!unix_time) return unix_time.error();
    std::int64_t count = 0;
    if constexpr (period::num == 1) {
        constexpr std::int64_t per_second = period::den;
        const std::int64_t sub = per_second <= nanoseconds_per_second
                                     ? unix_time->nanosecond / (nanoseconds_per_second / per_second)
                                     : unix_time->nanosecond * (per_second / nanoseconds_per_second);
        const auto whole = detail::checked_multiply(unix_time->seconds, per_second);
        const auto total = whole ? detail::checked_add(*whole, sub) : std::nullopt;
        if (!total) return Status::out_of_range;
        count = *total;
    } else {
        count = detail::floor_div(unix_time->seconds, period::num);
    }
    if constexpr (sizeof(rep) < sizeof(std::int64_t)) {
        if (count < std::numeric_limits<rep>::min() || count > std::numeric_limits<rep>::max()) {
            return Status::out_of_range;
        }
    }
    return std::chrono::sys_time<Duration>{Duration{static_cast<rep>(count)}};
}

}  // namespace morvek
