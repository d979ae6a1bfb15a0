#include "cli/era_seconds_now.h"

#include "cli/date_time_text.h"
#include "cli/parse_date.h"
#include "cli/parse_time_of_day.h"

namespace morvek {

std::int64_t era_seconds_now(ConversionState& state, UtcClock clock) {
    const UtcClockReading now = clock();
    // The time goes first: the clock has no 23:59:60 that would need the date.
    state.second_of_day = parse_time_of_day(state, time_text(now.hour, now.minute, now.second).view());
    return parse_date(state, date_text(now.day, now.month, now.year).view());
}

}  // namespace morvek
