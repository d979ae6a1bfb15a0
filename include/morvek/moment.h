#pragma once
// Moment: one instant of UTC on the Era-seconds scale, and its conversions
// to and from E0, E3, E6, Unix time, FILE time and a date with its time of
// day in each calendar.
//
// The Era seconds (E0) count seconds from 01.01.0001 00:00:00, each inserted
// leap second included; E3 and E6 are the same scale in milliseconds and
// microseconds. Before the Era they count back in days of 86400 seconds:
// E0 -1 is 31.12.-1 23:59:59. Unix time (from 01.01.1970) and FILE time
// (100 ns units from 01.01.1601) count no leap seconds.
//
// Every function here is constexpr, computes in constant time and states
// its domain; outside it the answer is out_of_range.

#include <compare>
#include <cstdint>
#include <limits>

#include "morvek/calendar.h"
#include "morvek/leap_seconds.h"
#include "morvek/result.h"

namespace morvek {

using detail::seconds_per_day;
inline constexpr std::int64_t milliseconds_per_second = 1000;
inline constexpr std::int64_t microseconds_per_second = 1000 * milliseconds_per_second;
inline constexpr std::int64_t nanoseconds_per_second = 1000 * microseconds_per_second;
inline constexpr std::int64_t file_units_per_second = nanoseconds_per_second / 100;

inline constexpr std::int64_t unix_epoch_e0 = 719162 * seconds_per_day;  // 01.01.1970 00:00:00
inline constexpr std::int64_t file_epoch_e0 = 584388 * seconds_per_day;  // 01.01.1601 00:00:00
static_assert(unix_epoch_e0 == 62135596800 && file_epoch_e0 == 50491123200);

// The whole seconds of the moments Morvek handles: every moment whose E6
// fits in 64 bits lies within them.
inline constexpr std::int64_t max_e0 = std::numeric_limits<std::int64_t>::max() / microseconds_per_second;  // 9223372036854
inline constexpr std::int64_t min_e0 = std::numeric_limits<std::int64_t>::min() / microseconds_per_second - 1;  // -9223372036855

// A UTC instant: whole Era seconds (leap seconds counted) and the
// nanoseconds after them. Later moments compare greater.
struct Moment {
    std::int64_t seconds = 0;     // E0, floored: [min_e0, max_e0]
    std::int32_t nanosecond = 0;  // [0, 999999999]
    friend constexpr auto operator<=>(const Moment&, const Moment&) = default;
};
inline constexpr Moment min_moment{min_e0, 0};
inline constexpr Moment max_moment{max_e0, static_cast<std::int32_t>(nanoseconds_per_second - 1)};

// The E3 values whose moment lies in [min_moment, max_moment]; every
// 64-bit E6 value names such a moment.
inline constexpr std::int64_t min_e3 = min_e0 * milliseconds_per_second;
inline constexpr std::int64_t max_e3 = max_e0 * milliseconds_per_second + (milliseconds_per_second - 1);
inline constexpr std::int64_t min_e6 = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t max_e6 = std::numeric_limits<std::int64_t>::max();

// The Unix times whose moment lies in [min_moment, max_moment].
inline constexpr std::int64_t min_unix_time = min_e0 - unix_epoch_e0;
inline constexpr std::int64_t max_unix_time = max_e0 - leap_second_count - unix_epoch_e0;

namespace detail {

constexpr bool in_moment_domain(Moment m) noexcept {
    return m.seconds >= min_e0 && m.seconds <= max_e0 && m.nanosecond >= 0 && m.nanosecond < nanoseconds_per_second;
}

// The day of a moment and the second within it.
struct DayAndSecond {
    std::int64_t era_day = 0;
    std::int32_t second_of_day = 0;  // [0, 86400]; 86400 only inside a leap second
};

// day_and_second_from_e0: the Era Day and the second of the day of any E0.
// After the Era the leap seconds are taken out first, so every day has
// 86400 seconds plus its own leap second; before it the day is the floor of
// E0 / 86400.
//   Example:  62214393600 -> Era Day 720074, second 86400 (30.06.1972 23:59:60);
//             -1 -> Era Day -1, second 86399
constexpr DayAndSecond day_and_second_from_e0(std::int64_t e0) noexcept {
    // A leap second shares its leap-free value with the 23:59:59 before it;
    // no leap second lies before the Era, so this never overflows.
    const std::int64_t leap_free = e0 - leap_seconds_up_to(e0);
    const auto second = static_cast<std::int32_t>(floor_mod(leap_free, seconds_per_day));  // [0, 86399]
    const std::int64_t index = floor_div(leap_free, seconds_per_day);
    return {era_day_from_day_index(index), second + (is_leap_second(e0) ? 1 : 0)};
}

// The E0 of the midnight that begins an Era Day, leap seconds counted; the
// day within [min_era_day, max_era_day], so it stays below 2^48.
constexpr std::int64_t midnight_e0_from_era_day(std::int64_t era_day) noexcept {
    return insert_leap_seconds(day_index_from_era_day(era_day) * seconds_per_day);
}

}  // namespace detail

// ---- E0, E3, E6 ---------------------------------------------------------------------
// moment_from_e0 / _e3 / _e6: the moment of a count. A negative E3 or E6 is
// split by floor division: E6 -1 is the moment 31.12.-1 23:59:59.999999.
//   Domain:   E0 in [min_e0, max_e0], E3 in [min_e3, max_e3], every 64-bit E6
//   Example:  E3 -1500 -> {seconds -2, nanosecond 500000000}
[[nodiscard]] constexpr Result<Moment> moment_from_e0(std::int64_t e0) noexcept {
    if (e0 < min_e0 || e0 > max_e0) return Status::out_of_range;
    return Moment{e0, 0};
}
[[nodiscard]] constexpr Result<Moment> moment_from_e3(std::int64_t e3) noexcept {
    if (e3 < min_e3 || e3 > max_e3) return Status::out_of_range;
    return Moment{detail::floor_div(e3, milliseconds_per_second),
                  static_cast<std::int32_t>(detail::floor_mod(e3, milliseconds_per_second) * 1000000)};
}
[[nodiscard]] constexpr Result<Moment> moment_from_e6(std::int64_t e6) noexcept {
    return Moment{detail::floor_div(e6, microseconds_per_second),
                  static_cast<std::int32_t>(detail::floor_mod(e6, microseconds_per_second) * 1000)};
}

// e0_from_moment / e3_ / e6_: the count of a moment, floored: a moment
// between two counts has the earlier one.
//   Domain:   the moments in [min_moment, max_moment]; E6 also out_of_range
//             where it leaves 64 bits: before 06.10.-292278 19:59:05.224192
//             (historical) and after 10.01.292278 04:00:27.775807
//   Example:  {seconds -1, nanosecond 999999999} -> E0 -1, E3 -1, E6 -1
[[nodiscard]] constexpr Result<std::int64_t> e0_from_moment(Moment m) noexcept {
    if (!detail::in_moment_domain(m)) return Status::out_of_range;
    return m.seconds;
}
[[nodiscard]] constexpr Result<std::int64_t> e3_from_moment(Moment m) noexcept {
    if (!detail::in_moment_domain(m)) return Status::out_of_range;
    return m.seconds * milliseconds_per_second + m.nanosecond / 1000000;  // |E0| < 2^44
}
[[nodiscard]] constexpr Result<std::int64_t> e6_from_moment(Moment m) noexcept {
    if (!detail::in_moment_domain(m)) return Status::out_of_range;
    // Before the Era the part of a second counts back from the next whole
    // second, so that the lowest E6 values are reached without overflow.
    const std::int64_t micros = m.nanosecond / 1000;  // [0, 999999]
    const auto whole = m.seconds < 0 ? detail::checked_multiply(m.seconds + 1, microseconds_per_second)
                                     : detail::checked_multiply(m.seconds, microseconds_per_second);
    const std::int64_t part = m.seconds < 0 ? micros - microseconds_per_second : micros;
    const auto e6 = whole ? detail::checked_add(*whole, part) : std::nullopt;
    if (!e6) return Status::out_of_range;
    return *e6;
}

// ---- the time between two moments -------------------------------------------------

// A signed span of time: seconds, floored, and the nanoseconds after them,
// so that -0.25 s is {-1, 750000000}.
struct Elapsed {
    std::int64_t seconds = 0;
    std::int32_t nanosecond = 0;  // [0, 999999999]
    friend constexpr auto operator<=>(const Elapsed&, const Elapsed&) = default;
};

// later - earlier: the SI seconds between two moments of the domain, leap
// seconds counted; negative when `later` is the earlier one.
//   Example:  31.12.2016 23:59:59 to 01.01.2017 00:00:00 -> {2, 0}
[[nodiscard]] constexpr Elapsed operator-(Moment later, Moment earlier) noexcept {
    std::int64_t seconds = later.seconds - earlier.seconds;  // both in the domain: < 2^45
    std::int32_t nanosecond = later.nanosecond - earlier.nanosecond;
    if (nanosecond < 0) {
        nanosecond += static_cast<std::int32_t>(nanoseconds_per_second);
        --seconds;
    }
    return {seconds, nanosecond};
}

// ---- a date with its time of day ------------------------------------------------------

// A date with its time of day. The second is 60 only inside a leap second.
struct DateTime {
    Date date;
    std::int32_t hour = 0;        // 0 .. 23
    std::int32_t minute = 0;      // 0 .. 59
    std::int32_t second = 0;      // 0 .. 60
    std::int32_t nanosecond = 0;  // 0 .. 999999999
    friend constexpr bool operator==(const DateTime&, const DateTime&) = default;
};

// moment_from_date_time: a date and time of a calendar to its moment.
//
//   Returns:  the moment; nonexistent_date for a date the calendar does not
//             have; nonexistent_time for a field out of range or 23:59:60
//             on a day without a leap second; out_of_range for a moment
//             beyond [min_moment, max_moment]
//   Example:  Historical 31.12.2016 23:59:60 -> {63618825626, 0}
[[nodiscard]] constexpr Result<Moment> moment_from_date_time(CalendarMode mode, const DateTime& moment) noexcept {
    const Result<DayCount> era_day = era_day_from_date(mode, moment.date);
    if (!era_day) return era_day.error();
    const bool time_in_range = moment.hour >= 0 && moment.hour <= 23 && moment.minute >= 0 && moment.minute <= 59 &&
                               moment.second >= 0 && moment.second <= 60 && moment.nanosecond >= 0 &&
                               moment.nanosecond < nanoseconds_per_second;
    if (!time_in_range) return Status::nonexistent_time;
    const std::int64_t midnight = detail::midnight_e0_from_era_day(*era_day);
    if (moment.second == 60) {
        const bool leap_second =
            moment.hour == 23 && moment.minute == 59 && is_leap_second(midnight + seconds_per_day);
        if (!leap_second) return Status::nonexistent_time;
    }
    const std::int64_t seconds = midnight + moment.hour * 3600 + moment.minute * 60 + moment.second;
    if (seconds < min_e0 || seconds > max_e0) return Status::out_of_range;
    return Moment{seconds, moment.nanosecond};
}

// date_time_from_moment: the date and time of a moment in a calendar.
//
//   Returns:  the date and time; nonexistent_date for a moment before
//             01.01.0001 outside the historical calendar; out_of_range
//             beyond [min_moment, max_moment]
//   Example:  Historical {62214393600, 0} -> 30.06.1972 23:59:60
[[nodiscard]] constexpr Result<DateTime> date_time_from_moment(CalendarMode mode, Moment m) noexcept {
    if (!detail::in_moment_domain(m)) return Status::out_of_range;
    const detail::DayAndSecond found = detail::day_and_second_from_e0(m.seconds);
    if (found.era_day < 0 && mode != CalendarMode::Historical) return Status::nonexistent_date;
    const detail::CalendarDate date = detail::calendar_date_from_era_day(mode, found.era_day);
    constexpr std::int32_t last_second_of_day = seconds_per_day - 1;
    const bool leap_second = found.second_of_day > last_second_of_day;
    const std::int32_t second = leap_second ? last_second_of_day : found.second_of_day;
    DateTime result;
    result.date = {static_cast<std::int32_t>(date.year), date.month, date.day};
    result.hour = second / 3600;
    result.minute = second / 60 % 60;
    result.second = second % 60 + (leap_second ? 1 : 0);
    result.nanosecond = m.nanosecond;
    return result;
}

// ---- Unix time ------------------------------------------------------------------------

// Seconds from 01.01.1970 00:00:00 UTC without leap seconds, and the
// nanoseconds after them.
struct UnixTime {
    std::int64_t seconds = 0;
    std::int32_t nanosecond = 0;  // [0, 999999999]
    friend constexpr auto operator<=>(const UnixTime&, const UnixTime&) = default;
};

// moment_from_unix_time: Unix time has no 23:59:60, so the result is never
// inside a leap second.
//   Domain:   seconds in [min_unix_time, max_unix_time], nanosecond in [0, 10^9)
//   Example:  {1483228800, 0} -> {63618825627, 0} (01.01.2017 00:00:00)
[[nodiscard]] constexpr Result<Moment> moment_from_unix_time(UnixTime unix_time) noexcept {
    if (unix_time.seconds < min_unix_time || unix_time.seconds > max_unix_time) return Status::out_of_range;
    if (unix_time.nanosecond < 0 || unix_time.nanosecond >= nanoseconds_per_second) return Status::out_of_range;
    return Moment{detail::insert_leap_seconds(unix_time.seconds + unix_epoch_e0), unix_time.nanosecond};
}

// unix_time_from_moment: a moment inside a leap second (23:59:60.x) has the
// Unix time of the midnight after it exactly.
//   Domain:   the moments in [min_moment, max_moment]
//   Example:  {63618825626, 500000000} (31.12.2016 23:59:60.5) -> {1483228800, 0}
[[nodiscard]] constexpr Result<UnixTime> unix_time_from_moment(Moment m) noexcept {
    if (!detail::in_moment_domain(m)) return Status::out_of_range;
    if (is_leap_second(m.seconds)) return UnixTime{m.seconds + 1 - leap_seconds_up_to(m.seconds) - unix_epoch_e0, 0};
    return UnixTime{m.seconds - leap_seconds_up_to(m.seconds) - unix_epoch_e0, m.nanosecond};
}

// ---- FILE time ------------------------------------------------------------------------

// moment_from_file_time: 100 ns units from 01.01.1601 00:00:00 UTC without
// leap seconds. The result is never inside a leap second.
//   Domain:   [0, 2^63 - 1]
//   Example:  12345678 -> {50491123201, 234567800}
[[nodiscard]] constexpr Result<Moment> moment_from_file_time(std::int64_t file_time) noexcept {
    if (file_time < 0) return Status::out_of_range;
    const std::int64_t whole_seconds = file_time / file_units_per_second;  // [0, 922337203685]
    return Moment{detail::insert_leap_seconds(whole_seconds + file_epoch_e0),
                  static_cast<std::int32_t>(file_time % file_units_per_second * 100)};
}

// file_time_from_moment: floored to 100 ns. A moment inside a leap second
// has the FILE time of the same part of the 23:59:59 before it, as the
// program's report prints it.
//   Domain:   the moments from 01.01.1601 00:00:00 to 14.09.30828 02:48:05.4775807
//   Example:  {62214393600, 0} (30.06.1972 23:59:60) -> 117232703990000000
[[nodiscard]] constexpr Result<std::int64_t> file_time_from_moment(Moment m) noexcept {
    if (!detail::in_moment_domain(m) || m.seconds < file_epoch_e0) return Status::out_of_range;
    const std::int64_t leap_free = m.seconds - leap_seconds_up_to(m.seconds) - file_epoch_e0;
    const auto whole = detail::checked_multiply(leap_free, file_units_per_second);
    const auto file_time = whole ? detail::checked_add(*whole, m.nanosecond / 100) : std::nullopt;
    if (!file_time) return Status::out_of_range;
    return *file_time;
}

static_assert(*moment_from_unix_time({0, 0}) == Moment{unix_epoch_e0, 0});
static_assert(*file_time_from_moment(*moment_from_file_time(12345678)) == 12345678);
static_assert(*e6_from_moment(*moment_from_e6(min_e6)) == min_e6);

}  // namespace morvek
