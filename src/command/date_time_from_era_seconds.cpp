#include "command/date_time_from_era_seconds.h"

#include "command/calendar_in_state.h"
#include "morvek/detail/arithmetic.h"
#include "morvek/moment.h"

namespace morvek::cli {

namespace {

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
    state.second_of_day = seconds_per_day;
    return -seconds_per_day;
}

}  // namespace

std::int64_t date_time_from_era_seconds(ConversionState& state, std::int64_t era_seconds) {
    const detail::DayAndSecond found = detail::day_and_second_from_e0(era_seconds);
    state.leap_second = found.second_of_day == seconds_per_day ? 1 : 0;
    const std::int32_t s = found.second_of_day - state.leap_second;  // [0, 86399]
    state.hour = s / 3600;
    state.minute = s / 60 % 60;
    state.second = s % 60 + state.leap_second;
    date_from_era_day(state, found.era_day);
    state.second_of_day = found.second_of_day;
    // Only within a day of the lowest 64-bit value is the midnight itself
    // beyond the range; it then stops at the end of the range.
    return detail::saturating_add(era_seconds, -static_cast<std::int64_t>(state.second_of_day));
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

}  // namespace morvek::cli
