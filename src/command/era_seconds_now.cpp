#include "command/era_seconds_now.h"

#include "command/parse_date.h"
#include "command/parse_time_of_day.h"
#include "text/date_time_text.h"

namespace morvek::cli {

std::int64_t era_seconds_now(ConversionState& state, UtcClock clock) {
    const DateTime now = clock();
    // The time goes first: the clock has no 23:59:60 that would need the date.
    state.second_of_day = parse_time_of_day(state, detail::time_text(now.hour, now.minute, now.second).view());
    // The clock's date is Gregorian, which a reform of one's own may not
    // yet have taken.
    if (has_own_reform(state)) {
        // A Gregorian date text leaves the time of day at midnight; the
        // clock's time stays.
        state.calendar_mode = CalendarMode::Gregorian;
        const std::int32_t second_of_day = state.second_of_day;
        const std::int64_t midnight =
            parse_date(state, detail::date_text(now.date.day, now.date.month, now.date.year).view());
        state.second_of_day = second_of_day;
        return midnight;
    }
    return parse_date(state, detail::date_text(now.date.day, now.date.month, now.date.year).view());
}

}  // namespace morvek::cli
