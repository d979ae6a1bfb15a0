#include "timescale/leap_seconds.h"

#include <algorithm>

#include "calendar/checked_arithmetic.h"
#include "calendar/days_before_year.h"
#include "calendar/leap_years.h"
#include "calendar/month_tables.h"
#include "morvek/time_scales.h"

namespace morvek {

namespace {

// Proleptic Gregorian day number, 01.01.0001 being day 1.
constexpr std::int64_t gregorian_rata_die(std::int64_t year, std::int32_t month, std::int32_t day) {
    return *gregorian_days_before_year(year) + days_before_month[is_gregorian_leap_year(year) ? 1 : 0][month] + day;
}

// The inserted second is the last of its day: one before the following
// midnight, which lies after the k - 1 earlier leap seconds.
constexpr std::array<std::int64_t, leap_second_count> table_from_days() {
    std::array<std::int64_t, leap_second_count> table{};
    for (std::size_t i = 0; i < leap_second_days.size(); ++i) {
        const LeapSecondDay& d = leap_second_days[i];
        const std::int64_t next_day_rata_die = d.month == 12 ? gregorian_rata_die(d.year + 1, 1, 1)
                                                             : gregorian_rata_die(d.year, d.month + 1, 1);
        table[i] = (next_day_rata_die - 1) * seconds_per_day + static_cast<std::int64_t>(i);
    }
    return table;
}

constexpr std::array<std::int64_t, leap_second_count> derived_table = table_from_days();

static_assert(std::all_of(leap_second_days.begin(), leap_second_days.end(), [](const LeapSecondDay& d) {
    return (d.month == 6 && d.day == 30) || (d.month == 12 && d.day == 31);
}));
static_assert(gregorian_rata_die(1972, 6, 30) == 720074);
static_assert(derived_table.front() == 62214393600);
static_assert(derived_table[1] == 62230291201);
static_assert(derived_table.back() == 63618825626);
static_assert(std::is_sorted(derived_table.begin(), derived_table.end()));

// A leap-free value passes leap second k once it reaches entry k less the
// k - 1 leap seconds before it: the leap-free value of the midnight after it.
constexpr std::array<std::int64_t, leap_second_count> leap_free_thresholds = [] {
    std::array<std::int64_t, leap_second_count> thresholds{};
    for (std::size_t i = 0; i < thresholds.size(); ++i) thresholds[i] = derived_table[i] - static_cast<std::int64_t>(i);
    return thresholds;
}();
static_assert(leap_free_thresholds[1] == 62230291200);  // 01.01.1973 00:00:00 leap-free

}  // namespace

const std::array<std::int64_t, leap_second_count> leap_second_table = derived_table;

// Most moments lie outside 1972 to 2016: they skip the search.
bool is_leap_second(std::int64_t e0) {
    if (e0 < derived_table.front() || e0 > derived_table.back()) return false;
    return std::binary_search(derived_table.begin(), derived_table.end(), e0);
}

std::int32_t leap_seconds_up_to(std::int64_t e0) {
    if (e0 < derived_table.front()) return 0;
    if (e0 >= derived_table.back()) return static_cast<std::int32_t>(leap_second_count);
    const auto after = std::upper_bound(derived_table.begin(), derived_table.end(), e0);
    return static_cast<std::int32_t>(after - derived_table.begin());
}

std::int64_t insert_leap_seconds(std::int64_t leap_free_seconds) {
    // 62230291200 passes the first threshold and the second: it is the
    // midnight after the second leap second, 62230291202.
    if (leap_free_seconds < leap_free_thresholds.front()) return leap_free_seconds;
    const auto passed = std::upper_bound(leap_free_thresholds.begin(), leap_free_thresholds.end(), leap_free_seconds) -
                        leap_free_thresholds.begin();
    return saturating_add(leap_free_seconds, passed);
}

std::int32_t leap_seconds_before_month(std::int64_t year, std::int32_t month) {
    std::int32_t count = 0;
    for (const LeapSecondDay& d : leap_second_days) {
        if (d.year < year || (d.year == year && d.month < month)) ++count;
    }
    return count;
}

bool is_leap_second_day(std::int64_t year, std::int32_t month, std::int32_t day) {
    return std::any_of(leap_second_days.begin(), leap_second_days.end(), [&](const LeapSecondDay& d) {
        return d.year == year && d.month == month && d.day == day;
    });
}

}  // namespace morvek
