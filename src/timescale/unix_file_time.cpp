#include "timescale/unix_file_time.h"

#include "calendar/checked_arithmetic.h"
#include "morvek/time_scales.h"
#include "timescale/leap_seconds.h"

namespace morvek {

std::int64_t era_seconds_from_unix(std::int64_t unix_time) {
    return insert_leap_seconds(saturating_add(unix_time, unix_epoch_e0));
}

Result<std::int64_t> e0_from_unix_time(std::int64_t unix_time) {
    if (unix_time < min_unix_time || unix_time > max_unix_time) return {0, Status::out_of_range};
    return {era_seconds_from_unix(unix_time), Status::ok};
}

Result<std::int64_t> unix_time_from_e0(std::int64_t e0) {
    if (e0 < min_e0 || e0 > max_e0) return {0, Status::out_of_range};
    // The leap second counts itself, so the extra one moves it to the
    // midnight after it.
    const std::int64_t leap_free = e0 - leap_seconds_up_to(e0) + (is_leap_second(e0) ? 1 : 0);
    return {leap_free - unix_epoch_e0, Status::ok};
}

Result<FileTimeMoment> e0_from_file_time(std::int64_t file_time) {
    if (file_time < 0) return {{}, Status::out_of_range};
    const std::int64_t whole_seconds = file_time / file_units_per_second;  // [0, 922337203685]
    return {{insert_leap_seconds(whole_seconds + file_epoch_e0), static_cast<std::int32_t>(file_time % file_units_per_second)},
            Status::ok};
}

Result<std::int64_t> file_time_from_e0(FileTimeMoment moment) {
    if (moment.e0 < file_epoch_e0 || moment.e0 > max_e0) return {0, Status::out_of_range};
    if (moment.units < 0 || moment.units >= file_units_per_second) return {0, Status::out_of_range};
    // The leap second counts itself, so it shares the 23:59:59 before it.
    const std::int64_t leap_free = moment.e0 - leap_seconds_up_to(moment.e0) - file_epoch_e0;
    const auto whole = checked_multiply(leap_free, file_units_per_second);
    const auto file_time = whole ? checked_add(*whole, moment.units) : std::nullopt;
    if (!file_time) return {0, Status::out_of_range};
    return {*file_time, Status::ok};
}

}  // namespace morvek
