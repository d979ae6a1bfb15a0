// The public conversions between Era seconds and a date with its time of day.

#include "calendar/checked_arithmetic.h"
#include "calendar/date_from_era_day.h"
#include "calendar/era_day_from_date.h"
#include "calendar/era_day_index.h"
#include "morvek/time_scales.h"
#include "timescale/day_and_second.h"
#include "timescale/leap_seconds.h"

namespace morvek {
namespace {

constexpr std::int64_t micros_per_second = 1000000;
constexpr std::int32_t last_second_of_day = seconds_per_day - 1;

// Any whole E0 with a part of a second in microseconds; the callers have
// checked the range of what they were given.
Result<DateTime> date_time_from_whole_second(CalendarMode mode, std::int64_t e0, std::int32_t microsecond) {
    const DayAndSecond found = day_and_second_from_e0(e0);
    if (found.era_day < 0 && mode != CalendarMode::Historical) return {{}, Status::nonexistent_date};
    const CalendarDate date = calendar_date_from_era_day(mode, found.era_day);
    const bool leap_second = found.second_of_day > last_second_of_day;
    const std::int32_t second = leap_second ? last_second_of_day : found.second_of_day;
    DateTime moment;
    moment.date = {static_cast<std::int32_t>(date.year), date.month, date.day};
    moment.hour = second / 3600;
    moment.minute = second / 60 % 60;
    moment.second = second % 60 + (leap_second ? 1 : 0);
    moment.microsecond = microsecond;
    return {moment, Status::ok};
}

// The whole E0 second of a date and time, exact for every Era Day in range.
Result<std::int64_t> whole_second_from_date_time(CalendarMode mode, const DateTime& moment) {
    const bool time_in_range = moment.hour >= 0 && moment.hour <= 23 && moment.minute >= 0 && moment.minute <= 59 &&
                               moment.second >= 0 && moment.second <= 60 && moment.microsecond >= 0 &&
                               moment.microsecond < micros_per_second;
    const Result<std::int64_t> era_day = era_day_from_date(mode, moment.date);
    if (!era_day) return era_day;
    if (!time_in_range) return {0, Status::nonexistent_time};
    // |index| < 2^31, so the midnight stays below 2^48.
    const std::int64_t midnight = insert_leap_seconds(day_index_from_era_day(era_day.value) * seconds_per_day);
    if (moment.second == 60) {
        const bool leap_second = moment.hour == 23 && moment.minute == 59 && is_leap_second(midnight + seconds_per_day);
        if (!leap_second) return {0, Status::nonexistent_time};
    }
    return {midnight + moment.hour * 3600 + moment.minute * 60 + moment.second, Status::ok};
}

}  // namespace

Result<DateTime> date_time_from_e0(CalendarMode mode, std::int64_t e0) {
    if (e0 < min_e0 || e0 > max_e0) return {{}, Status::out_of_range};
    return date_time_from_whole_second(mode, e0, 0);
}

Result<DateTime> date_time_from_e3(CalendarMode mode, std::int64_t e3) {
    if (e3 < min_e3 || e3 > max_e3) return {{}, Status::out_of_range};
    return date_time_from_whole_second(mode, floor_div(e3, 1000), static_cast<std::int32_t>(floor_mod(e3, 1000)) * 1000);
}

Result<DateTime> date_time_from_e6(CalendarMode mode, std::int64_t e6) {
    return date_time_from_whole_second(mode, floor_div(e6, micros_per_second),
                                       static_cast<std::int32_t>(floor_mod(e6, micros_per_second)));
}

Result<std::int64_t> e0_from_date_time(CalendarMode mode, const DateTime& moment) {
    const Result<std::int64_t> e0 = whole_second_from_date_time(mode, moment);
    if (e0 && (e0.value < min_e0 || e0.value > max_e0)) return {0, Status::out_of_range};
    return e0;
}

Result<std::int64_t> e3_from_date_time(CalendarMode mode, const DateTime& moment) {
    const Result<std::int64_t> e0 = whole_second_from_date_time(mode, moment);
    if (!e0) return e0;
    const std::int64_t e3 = e0.value * 1000 + moment.microsecond / 1000;  // |E0| < 2^48
    if (e3 < min_e3 || e3 > max_e3) return {0, Status::out_of_range};
    return {e3, Status::ok};
}

Result<std::int64_t> e6_from_date_time(CalendarMode mode, const DateTime& moment) {
    const Result<std::int64_t> e0 = whole_second_from_date_time(mode, moment);
    if (!e0) return e0;
    const auto whole = checked_multiply(e0.value, micros_per_second);
    const auto e6 = whole ? checked_add(*whole, moment.microsecond) : std::nullopt;
    if (!e6) return {0, Status::out_of_range};
    return {*e6, Status::ok};
}

}  // namespace morvek
