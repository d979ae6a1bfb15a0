#include "timescale/date_time_from_era_seconds.h"

#include "calendar/checked_arithmetic.h"
#include "calendar/date_from_era_day.h"
#include "timescale/leap_seconds.h"

namespace morvek {

namespace {

constexpr std::int64_t seconds_per_day = 86400;

// 31.12.-1 23:59:59 for the instants between it and the Era that a
// truncated division puts into second 0: the sub-second parts stay
// negative, so the report gives back the input.
std::int64_t last_second_before_era(ConversionState& state) {
    state.day = 31;
    state.month = 12;
    state.year = -1;
    state.hour = 23;
    state.minute = 59;
    state.second = 59;
    state.second_of_day = 86400;
    return -seconds_per_day;
}

}  // namespace

std::int64_t date_time_from_era_seconds(ConversionState& state, std::int64_t era_seconds) {
    std::int64_t second_in_day = 0;
    std::int64_t era_day = 0;
    if (era_seconds >= 0) {
        // Before the Era there are no leap seconds; after it they are taken
        // out so that every day counts 86400.
        const std::int64_t leap_free = era_seconds - leap_seconds_up_to(era_seconds);
        second_in_day = leap_free % seconds_per_day;
        era_day = leap_free / seconds_per_day + 1;
    } else {
        second_in_day = floor_mod(era_seconds, seconds_per_day);
        era_day = floor_div(era_seconds, seconds_per_day);
    }

    const auto s = static_cast<std::int32_t>(second_in_day);
    state.hour = s / 3600;
    state.minute = s / 60 % 60;
    state.second = s % 60;
    // The leap second shares its leap-free value with the 23:59:59 before it.
    state.leap_second = is_leap_second(era_seconds) ? 1 : 0;
    state.second += state.leap_second;

    date_from_era_day(state, era_day);
    state.second_of_day = s + state.leap_second;
    // Only within a day of the lowest 64-bit value is the midnight itself
    // beyond the range; it then stops at the end of the range.
    return saturating_add(era_seconds, -static_cast<std::int64_t>(state.second_of_day));
}

std::int64_t date_time_from_e3(ConversionState& state, std::int64_t e3) {
    state.millis = static_cast<std::int32_t>(e3 % 1000);
    const std::int64_t whole_seconds = e3 / 1000;
    if (whole_seconds == 0 && state.millis < 0) return last_second_before_era(state);
    return date_time_from_era_seconds(state, whole_seconds);
}

std::int64_t date_time_from_e6(ConversionState& state, std::int64_t e6) {
    state.micros = static_cast<std::int32_t>(e6 % 1000);
    const std::int64_t whole_millis = e6 / 1000;
    state.millis = static_cast<std::int32_t>(whole_millis % 1000);
    const std::int64_t whole_seconds = whole_millis / 1000;
    if (whole_seconds == 0 && (state.millis < 0 || state.micros < 0)) return last_second_before_era(state);
    return date_time_from_era_seconds(state, whole_seconds);
}

}  // namespace morvek
