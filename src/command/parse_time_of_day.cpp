#include "command/parse_time_of_day.h"

#include "command/decimal_field.h"
#include "command/separated_field.h"
#include "morvek/leap_seconds.h"

namespace morvek::cli {

namespace {

constexpr std::size_t field_width = 2;

std::int32_t refuse_format(ConversionState& state) {
    state.bad_format = true;
    return 0;
}

std::int32_t refuse_time(ConversionState& state) {
    state.time_nonexistent = true;
    return 0;
}

}  // namespace

std::int32_t parse_time_of_day(ConversionState& state, std::string_view text) {
    state.hour = 0;
    state.minute = 0;
    state.second = 0;
    state.leap_second = 0;

    const auto hour_field = separated_field(text, ':', field_width);
    if (!hour_field) return refuse_format(state);
    const std::int64_t hour = value_from_decimal_field(hour_field->field);
    if (hour < 0 || hour > 23) return refuse_format(state);
    state.hour = static_cast<std::int32_t>(hour);

    const auto minute_field = separated_field(hour_field->rest, ':', field_width);
    if (!minute_field) return refuse_format(state);
    const std::int64_t minute = value_from_decimal_field(minute_field->field);
    if (minute < 0 || minute > 59) return refuse_format(state);
    state.minute = static_cast<std::int32_t>(minute);

    const std::string_view second_field = minute_field->rest;
    if (second_field.size() > field_width) return refuse_format(state);
    const std::int64_t second = value_from_decimal_field(second_field);
    if (second < 0 || second > 60) return refuse_format(state);
    state.second = static_cast<std::int32_t>(second);

    const std::int32_t seconds = state.hour * 3600 + state.minute * 60 + state.second;
    if (state.second != 60) return seconds;

    if (state.hour != 23 || state.minute != 59) return refuse_time(state);
    state.leap_second = 1;
    // The date fields are those parse_date left: the civil date of the day.
    if (!detail::is_leap_second_day(state.year, state.month, state.day)) return refuse_time(state);
    return seconds;
}

}  // namespace morvek::cli
