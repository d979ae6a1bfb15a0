#include "command/result_from_moment.h"

#include "command/date_time_from_era_seconds.h"
#include "command/report.h"

namespace morvek::cli {

CommandResult result_from_moment(ConversionState& state, Moment moment) {
    reset_for_run(state);
    CommandResult result;
    if (!e6_from_moment(moment)) {
        result.outcome = CommandOutcome::too_big;
        return result;
    }
    // A value is a number: the report shows no day count for it.
    state.digit_count = 1;
    const std::int32_t units = moment.nanosecond / 100;  // [0, 9999999]
    state.millis = units / 10000;
    state.micros = units / 10 % 1000;
    state.ticks = units % 10;
    state.era_seconds = date_time_from_era_seconds(state, moment.seconds);
    result = report_from_state(state, ReportLayout::multi_argument, {});
    result.moment = moment;
    return result;
}

}  // namespace morvek::cli
