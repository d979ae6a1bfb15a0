#include "command/unix_file_time_in_state.h"

#include "morvek/detail/arithmetic.h"
#include "morvek/moment.h"

namespace morvek::cli {

std::int64_t era_seconds_from_unix(std::int64_t unix_time) {
    return detail::insert_leap_seconds(detail::saturating_add(unix_time, unix_epoch_e0));
}

std::int64_t era_seconds_from_file_time(ConversionState& state, std::int64_t file_time) {
    const Result<Moment> moment = moment_from_file_time(file_time);
    if (!moment) return file_epoch_e0;
    const std::int32_t units = moment->nanosecond / 100;  // [0, 9999999]
    state.ticks = units % 10;
    state.micros = units / 10 % 1000;
    state.millis = units / 10000;
    return moment->seconds;
}

std::int64_t file_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds) {
    if (era_seconds < file_epoch_e0) return 0;
    const std::int64_t leap_free = era_seconds - leap_seconds_up_to(era_seconds) - file_epoch_e0;
    const std::int64_t sub_second =
        static_cast<std::int64_t>(state.millis) * 10000 + static_cast<std::int64_t>(state.micros) * 10 + state.ticks;
    const auto whole = detail::checked_multiply(leap_free, file_units_per_second);
    const auto file_time = whole ? detail::checked_add(*whole, sub_second) : std::nullopt;
    if (!file_time || *file_time < 0) return -1;
    return *file_time;
}

std::int64_t unix_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds) {
    // Leap seconds are counted only from 1972 on, so taking out the count
    // cannot overflow; the epoch offset can, for E0 near the lowest 64-bit
    // value, and the result then stops at the end of the range.
    const std::int64_t leap_free = era_seconds - leap_seconds_up_to(era_seconds);
    return detail::saturating_add(detail::saturating_add(leap_free, state.leap_second), -unix_epoch_e0);
}

}  // namespace morvek::cli
