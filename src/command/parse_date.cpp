#include "command/parse_date.h"

#include <limits>

#include "command/calendar_in_state.h"
#include "command/decimal_field.h"
#include "command/separated_field.h"
#include "morvek/detail/arithmetic.h"
#include "morvek/detail/date_from_era_day.h"
#include "morvek/moment.h"
#include "morvek/reform.h"
#include "text/date_time_text.h"

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
        ConversionState civil_state = state;
        civil_state.calendar_mode = CalendarMode::Historical;
        const detail::CalendarDate civil =
            detail::calendar_date_from_era_day(rule_in_state(civil_state, era_day), era_day);
        civil_year = civil.year;
        civil_month = civil.month;
        if (state.digit_count == 0) {
            state.day = civil.day;
            state.month = civil.month;
            state.year = detail::saturated_to_int32(civil.year);
            state.second_of_day = 0;
        }
    }
    if (has_own_reform(state) && midnight > 0) {
        // A reform of one's own may fall after 1972: the leap seconds are
        // counted by the Gregorian date.
        const detail::CalendarDate gregorian = detail::calendar_date_from_era_day(CalendarMode::Gregorian, era_day);
        civil_year = gregorian.year;
        civil_month = gregorian.month;
    }
    return detail::saturating_add(midnight, detail::leap_seconds_before_month(civil_year, civil_month));
}

namespace {

// "-" and digits, or digits alone; their value and how many digits.
bool read_year_number(std::string_view text, std::int64_t& value, int& digits) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > year_width) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    digits = static_cast<int>(text.size());
    return true;
}

}  // namespace

std::int64_t parse_typed_date(ConversionState& state, std::string_view text) {
    const YearStart style = state.settings.year_start;
    if (style == YearStart::january) return parse_date(state, text);
    // Only a text of the date's shape is read in the style; any other goes
    // to parse_date as it is, which refuses it as ever.
    const auto day_field = separated_field(text, '.', day_month_width);
    const auto month_field = day_field ? separated_field(day_field->rest, '.', day_month_width) : std::nullopt;
    if (!month_field) return parse_date(state, text);
    const std::int64_t day = value_from_decimal_field(day_field->field);
    const std::int64_t month = value_from_decimal_field(month_field->field);
    if (day < 1 || day > 31 || month < 1 || month > 12) return parse_date(state, text);

    const std::string_view year_field = month_field->rest;
    const std::size_t slash = year_field.find('/');
    Result<Date> date = Status::bad_format;
    if (slash == std::string_view::npos) {
        if (year_field.size() > year_width) return parse_date(state, text);
        const std::int64_t year = value_from_decimal_field(year_field);
        if (year == 0 || year != detail::saturated_to_int32(year)) return parse_date(state, text);
        date = january_date_from_styled(style, {static_cast<std::int32_t>(year), static_cast<std::int32_t>(month),
                                                static_cast<std::int32_t>(day)});
        if (!date) return parse_date(state, text);
    } else {
        // A dual date: both years written out in digits, the second
        // perhaps by its last digits only.
        std::int64_t earlier = 0, later = 0;
        int earlier_digits = 0, later_digits = 0;
        if (!read_year_number(year_field.substr(0, slash), earlier, earlier_digits) ||
            !read_year_number(year_field.substr(slash + 1), later, later_digits)) {
            return refuse_format(state);
        }
        state.day = static_cast<std::int32_t>(day);
        state.month = static_cast<std::int32_t>(month);
        state.year = detail::saturated_to_int32(earlier);
        if (earlier != state.year) return refuse_format(state);
        date = january_date_from_dual(style, {state.year, state.month, state.day}, later, later_digits);
        if (!date) {
            state.date_nonexistent = true;
            return 0;
        }
    }
    return parse_date(state, detail::date_text(date->day, date->month, date->year).view());
}

}  // namespace morvek::cli
