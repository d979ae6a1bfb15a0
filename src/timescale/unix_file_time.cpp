#include "timescale/unix_file_time.h"

#include "calendar/checked_arithmetic.h"
#include "timescale/leap_seconds.h"

namespace morvek {

namespace {

constexpr std::int64_t file_units_per_second = 10000000;

}  // namespace

std::int64_t era_seconds_from_unix(std::int64_t unix_time) {
    // Past 9223371974719178980 the moment has no 64-bit E0; it stops at the
    // end of the range, where the command refuses it as too big.
    return insert_leap_seconds(saturating_add(unix_time, unix_epoch_era_seconds));
}

std::int64_t era_seconds_from_file_time(ConversionState& state, std::int64_t file_time) {
    if (file_time < 0) return file_epoch_era_seconds;
    state.ticks = static_cast<std::int32_t>(file_time % 10);
    state.micros = static_cast<std::int32_t>(file_time / 10 % 1000);
    state.millis = static_cast<std::int32_t>(file_time / 10000 % 1000);
    return insert_leap_seconds(file_time / file_units_per_second + file_epoch_era_seconds);
}

std::int64_t file_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds) {
    if (era_seconds < file_epoch_era_seconds) return 0;
    const std::int64_t leap_free = era_seconds - leap_seconds_up_to(era_seconds) - file_epoch_era_seconds;
    const std::int64_t sub_second = static_cast<std::int64_t>(state.millis) * 10000 +
                                    static_cast<std::int64_t>(state.micros) * 10 + state.ticks;
    const auto whole = checked_multiply(leap_free, file_units_per_second);
    if (!whole) return -1;
    const auto file_time = checked_add(*whole, sub_second);
    if (!file_time || *file_time < 0) return -1;
    return *file_time;
}

std::int64_t unix_time_from_era_seconds(const ConversionState& state, std::int64_t era_seconds) {
    // Leap seconds are counted only from 1972 on, so taking out the count
    // cannot overflow; the epoch offset can, for E0 near the lowest 64-bit
    // value, and the result then stops at the end of the range.
    const std::int64_t leap_free = era_seconds - leap_seconds_up_to(era_seconds);
    return saturating_add(saturating_add(leap_free, state.leap_second), -unix_epoch_era_seconds);
}

}  // namespace morvek
