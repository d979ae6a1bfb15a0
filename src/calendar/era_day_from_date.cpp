#include "calendar/era_day_from_date.h"

#include <optional>

#include "calendar/checked_arithmetic.h"
#include "calendar/days_before_year.h"
#include "calendar/leap_years.h"
#include "calendar/month_tables.h"

namespace morvek {
namespace {

// Day of the year of 05.10.1582, the first date of the Gregorian rule in the
// historical calendar (1582 is a common year).
constexpr std::int32_t reform_day_of_year = 278;

// Beyond this many BCE years the day number cannot fit in 64 bits;
// rejecting them first keeps the negations below in range.
constexpr std::int64_t year_magnitude_limit = std::int64_t{1} << 62;

// Leap years among the BCE numbers 1 .. n under the rule of the years before
// 45 BCE: every 4th, less the century years, plus the centuries numbered 2
// and 6 in each cycle of nine.
std::int64_t bce_proleptic_leap_years_through(std::int64_t n) {
    const std::int64_t centuries = n / 100;
    const std::int64_t leap_centuries =
        2 * (centuries / 9) + (centuries % 9 >= 2 ? 1 : 0) + (centuries % 9 >= 6 ? 1 : 0);
    return n / 4 - centuries + leap_centuries;
}

// Leap years strictly between a BCE year and year 1; -44 .. -5 hold 14.
std::int64_t leap_years_after(std::int64_t year) {
    if (year >= -5) return 0;
    if (year >= -45) return (-year - 3) / 3;
    const std::int64_t n = -year;
    return 14 + bce_proleptic_leap_years_through(n - 1) - bce_proleptic_leap_years_through(45);
}

// 29 February takes the marker 0 in the table; later days move by one in a
// leap year. nullopt for 29 February of a common year.
std::optional<std::int64_t> day_of_year_in(std::int32_t table_entry, bool leap) {
    if (table_entry == february_29) {
        if (!leap) return std::nullopt;
        return 60;
    }
    return table_entry > 59 && leap ? table_entry + 1 : table_entry;
}

std::int64_t reject(ConversionState& state) {
    state.date_nonexistent = true;
    return 0;
}

}  // namespace

std::int64_t era_day_from_date(ConversionState& state, std::int64_t year, std::int32_t month,
                               std::int32_t day) {
    if (year == 0) return reject(state);
    if (year < 0 && state.calendar_mode != CalendarMode::Historical) return reject(state);
    if (month < 1 || month > 12 || day < 1 || day > 31) return reject(state);
    const std::int32_t table_entry = day_of_year_table[month - 1][day - 1];
    if (table_entry == no_such_day) return reject(state);

    if (year < 0) {
        if (year < -year_magnitude_limit) return reject(state);
        const bool leap = is_leap_year(CalendarMode::Historical, year);
        const auto doy = day_of_year_in(table_entry, leap);
        if (!doy) return reject(state);
        // The last day of a BCE year is (year + 1) * 365 - later - 1.
        const auto base = checked_multiply(year + 1, 365);
        if (!base) return reject(state);
        const std::int64_t length = leap ? 366 : 365;
        const auto era_day = checked_add(*base - leap_years_after(year), *doy - length - 1);
        if (!era_day) return reject(state);
        return *era_day;
    }

    const bool gregorian_rule =
        state.calendar_mode == CalendarMode::Gregorian ||
        (state.calendar_mode == CalendarMode::Historical &&
         (year > 1582 || (year == 1582 && table_entry >= reform_day_of_year)));
    bool leap = false;
    std::optional<std::int64_t> days_before;
    if (gregorian_rule) {
        // Both calendars name every day after 1582 alike: from here on the
        // run reads the date as historical.
        if (year > 1582) state.calendar_mode = CalendarMode::Historical;
        leap = is_gregorian_leap_year(year);
        days_before = gregorian_days_before_year(year);
    } else {
        leap = is_julian_leap_year(year);
        days_before = julian_days_before_year(year);
    }
    const auto doy = day_of_year_in(table_entry, leap);
    if (!doy) return reject(state);
    if (state.calendar_mode == CalendarMode::Historical && year == 1582 && month == 10 && day >= 5 &&
        day <= 14) {
        return reject(state);  // the ten days dropped by the reform
    }
    if (!days_before) return reject(state);
    const auto era_day = checked_add(*days_before, *doy);
    if (!era_day) return reject(state);
    return *era_day;
}

}  // namespace morvek
