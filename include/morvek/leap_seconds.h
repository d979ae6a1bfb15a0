#pragma once
// The leap seconds inserted into UTC, which the Era seconds count.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

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

// InstantIndex: how many instants of a sorted table of leap seconds are at
// or before a second, in two loads and no branch on the data: the seconds
// from the first instant's to the last's fall into buckets of 2^23 s (97
// days), each holding at most one instant (they lie six months apart or
// more); the count is the count before the bucket plus whether the bucket's
// own instant has been reached. Every second before the first bucket falls
// into one more bucket in front, every second after the last into one more
// behind. Columns of timestamps near the present made a binary search
// mispredict on every value.
struct InstantIndex {
    static constexpr int bucket_shift = 23;
    static constexpr std::size_t most_buckets = 192;  // the buckets of the span, and the two outside it
    std::int64_t first_bucket = 0;                    // the first instant's bucket, less one
    std::size_t last_bucket = 0;                      // the bucket behind the last instant's
    std::array<std::int32_t, most_buckets> before{};  // instants before each bucket (behind: all but one)
    std::array<std::int64_t, most_buckets> inside{};  // the bucket's instant; none: the largest value
                                                      // (behind: the smallest, which completes the count)
    bool one_per_bucket = true;

    [[nodiscard]] constexpr std::size_t bucket_of(std::int64_t second) const noexcept {
        // Clamped to [0, last_bucket] with masks: a compiler turns a clamp
        // into branches here, which mispredict for columns that straddle an end.
        std::int64_t bucket = (second >> bucket_shift) - first_bucket;  // |second| < 2^63: no overflow
        bucket &= ~(bucket >> 63);                                       // below 0: 0
        const std::int64_t beyond = static_cast<std::int64_t>(last_bucket) - bucket;
        bucket = static_cast<std::int64_t>(last_bucket) - (beyond & ~(beyond >> 63));  // beyond the last: the last
        return static_cast<std::size_t>(bucket);
    }
    // The instants at or before `second`.
    [[nodiscard]] constexpr std::int32_t count_up_to(std::int64_t second) const noexcept {
        const std::size_t bucket = bucket_of(second);
        return before[bucket] + static_cast<std::int32_t>(second >= inside[bucket]);  // a flag, not a branch
    }
    // Whether `second` is one of the instants: no second of the outer
    // buckets equals their `inside`.
    [[nodiscard]] constexpr bool holds(std::int64_t second) const noexcept { return inside[bucket_of(second)] == second; }
};

template <std::size_t Count>
constexpr InstantIndex instant_index(const std::array<std::int64_t, Count>& instants) {
    InstantIndex index;
    index.first_bucket = (instants.front() >> InstantIndex::bucket_shift) - 1;
    index.last_bucket = static_cast<std::size_t>((instants.back() >> InstantIndex::bucket_shift) - index.first_bucket) + 1;
    index.one_per_bucket = index.last_bucket < InstantIndex::most_buckets;
    index.inside.fill(std::numeric_limits<std::int64_t>::max());
    std::size_t next = 0;  // the first instant not yet placed
    for (std::size_t bucket = 0; bucket < index.last_bucket && index.one_per_bucket; ++bucket) {
        index.before[bucket] = static_cast<std::int32_t>(next);
        if (next < Count && index.bucket_of(instants[next]) == bucket) index.inside[bucket] = instants[next++];
        index.one_per_bucket = next == Count || index.bucket_of(instants[next]) > bucket;
    }
    index.before[index.last_bucket] = static_cast<std::int32_t>(Count) - 1;
    index.inside[index.last_bucket] = std::numeric_limits<std::int64_t>::min();
    return index;
}

inline constexpr InstantIndex leap_second_index = instant_index(leap_second_table);
inline constexpr InstantIndex leap_free_threshold_index = instant_index(leap_free_thresholds);
static_assert(leap_second_index.one_per_bucket && leap_free_threshold_index.one_per_bucket);

// insert_leap_seconds: a leap-free count of seconds (every day 86400 s) to E0.
//
//   Returns:  the E0 of the same moment, never a leap second itself;
//             saturates at the ends of the 64-bit range
//   Example:  62214393600 (01.07.1972 00:00:00 leap-free) -> 62214393601
constexpr std::int64_t insert_leap_seconds(std::int64_t leap_free_seconds) noexcept {
    // 62230291200 passes the first threshold and the second: it is the
    // midnight after the second leap second, 62230291202.
    const std::int32_t passed = leap_free_threshold_index.count_up_to(leap_free_seconds);
    if (leap_free_seconds > std::numeric_limits<std::int64_t>::max() - passed) return std::numeric_limits<std::int64_t>::max();
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
    return detail::leap_second_index.holds(e0);
}

// leap_seconds_up_to: the leap seconds inserted at or before a moment.
//
//   Returns:  0 .. leap_second_count; the leap second itself is counted
//   Example:  62214393599 -> 0; 62214393600 (30.06.1972 23:59:60) -> 1
[[nodiscard]] constexpr std::int32_t leap_seconds_up_to(std::int64_t e0) noexcept {
    return detail::leap_second_index.count_up_to(e0);
}

}  // namespace morvek
