#include "command/parse_date.h"

#include <limits>

#include "command/calendar_in_state.h"
#include "command/decimal_field.h"
#include "command/separated_field.h"
#include "morvek/detail/arithmetic.h"
#include "morvek/detail/date_from_era_day.h"
#include "morvek/moment.h"

namespace morvek::cli {

namespace {

constexpr std::size_t day_month_width = 2;
constexpr std::size_t year_width = 10;

std::int64_t refuse_format(ConversionState& state) {
    state.bad_format = true;
    return 0;
}

// Era seconds of the midnight that begins an Era Day, before leap seconds.
// A ten-digit year gives an Era Day near 4e12, far inside the range; the
// saturation only keeps a calendar result of any size well defined.
std::int64_t midnight_from_era_day(std::int64_t era_day) {
    const std::int64_t index = detail::day_index_from_era_day(era_day);
    const auto seconds = detail::checked_multiply(index, seconds_per_day);
    if (seconds) return *seconds;
    return index > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

}  // namespace

std::int64_t parse_date(ConversionState& state, std::string_view text) {
    state.day = 0;
    state.month = 0;
    state.year = 0;
    state.leap_second = 0;

    const auto day_field = separated_field(text, '.', day_month_width);
    if (!day_field) return refuse_format(state);
    const std::int64_t day = value_from_decimal_field(day_field->field);
    if (day < 1 || day > 31) return refuse_format(state);
    state.day = static_cast<std::int32_t>(day);

    const auto month_field = separated_field(day_field->rest, '.', day_month_width);
    if (!month_field) return refuse_format(state);
    const std::int64_t month = value_from_decimal_field(month_field->field);
    if (month < 1 || month > 12) return refuse_format(state);
    state.month = static_cast<std::int32_t>(month);

    const std::string_view year_field = month_field->rest;
    if (year_field.size() > year_width) return refuse_format(state);
    // Read whole, even beyond 32 bits; the state keeps the nearest 32-bit
    // value, and such a moment is refused when it is reported.
    const std::int64_t year = value_from_decimal_field(year_field);
    state.year = detail::saturated_to_int32(year);
    if (year == 0) {
        state.date_nonexistent = true;
        return 0;
    }

    const std::int64_t era_day = era_day_from_date(state, year, state.month, state.day);
    const std::int64_t midnight = midnight_from_era_day(era_day);

    // Leap seconds are counted by the civil date of the day, which for a
    // Julian or Gregorian date text may be another one.
    std::int64_t civil_year = year;
    std::int32_t civil_month = state.month;
    if (state.calendar_mode != CalendarMode::Historical && midnight > 0) {
        const detail::CalendarDate civil = detail::calendar_date_from_era_day(CalendarMode::Historical, era_day);
        civil_year = civil.year;
        civil_month = civil.month;
        if (state.digit_count == 0) {
            state.day = civil.day;
            state.month = civil.month;
            state.year = detail::saturated_to_int32(civil.year);
            state.second_of_day = 0;
        }
    }
    return detail::saturating_add(midnight, detail::leap_seconds_before_month(civil_year, civil_month));
}

}  // namespace morvek::cli
