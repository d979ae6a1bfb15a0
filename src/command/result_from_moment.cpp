#include "command/result_from_moment.h"

#include "command/date_time_from_era_seconds.h"
#include "command/report.h"

namespace morvek::cli {

CommandResult result_from_moment(Moment moment) noexcept {
    CommandResult result;
    const Result<std::int64_t> e6 = e6_from_moment(moment);
    if (!e6) {
        result.outcome = CommandOutcome::too_big;
        return result;
    }
    // One search of the leap-second table serves every value below.
    const std::int64_t e0 = moment.seconds;
    const std::int32_t leap_seconds = leap_seconds_up_to(e0);
    const std::int32_t leap_second = leap_seconds > 0 && detail::leap_second_table[leap_seconds - 1] == e0 ? 1 : 0;
    const std::int64_t leap_free = e0 - leap_seconds;  // a leap second shares the 23:59:59 before it
    const std::int64_t era_day = detail::era_day_from_day_index(detail::floor_div(leap_free, seconds_per_day));
    const auto second = static_cast<std::int32_t>(detail::floor_mod(leap_free, seconds_per_day));  // [0, 86399]
    result.outcome = CommandOutcome::report;
    result.layout = ReportLayout::multi_argument;
    result.date = {CalendarMode::Historical, date_from_era_day(CalendarMode::Historical, era_day).value_or(Date{})};
    result.hour = second / 3600;
    result.minute = second / 60 % 60;
    result.second = second % 60 + leap_second;
    result.era_day = era_day;
    result.weekday = weekday_from_era_day(era_day).value_or(Weekday::Monday);
    result.e0 = e0;
    result.e3 = e0 * milliseconds_per_second + moment.nanosecond / 1000000;  // E6 fits, so E3 does
    result.e6 = *e6;
    result.leap_seconds = leap_seconds;
    // The leap second has the Unix time of the midnight after it, and the
    // FILE time of the 23:59:59 before it, as the report prints them.
    result.unix_time = leap_free + leap_second - unix_epoch_e0;
    if (e0 < file_epoch_e0) {
        result.file_time = 0;
    } else {
        const auto whole = detail::checked_multiply(leap_free - file_epoch_e0, file_units_per_second);
        const auto file_time = whole ? detail::checked_add(*whole, moment.nanosecond / 100) : std::nullopt;
        result.file_time = file_time.value_or(-1);
    }
    result.moment = moment;
    return result;
}

CommandResult result_from_moment(Moment moment, const CalendarSettings& settings) noexcept {
    if (settings == CalendarSettings{}) return result_from_moment(moment);
    if (!e6_from_moment(moment)) return result_from_moment(moment);  // too big either way
    ConversionState state;
    state.settings = settings;
    // A value is a number: the report shows no day count for it.
    state.digit_count = 1;
    const std::int32_t units = moment.nanosecond / 100;  // [0, 9999999]
    state.millis = units / 10000;
    state.micros = units / 10 % 1000;
    state.ticks = units % 10;
    state.era_seconds = date_time_from_era_seconds(state, moment.seconds);
    CommandResult result = report_from_state(state, ReportLayout::multi_argument, {});
    result.moment = moment;
    return result;
}

}  // namespace morvek::cli
