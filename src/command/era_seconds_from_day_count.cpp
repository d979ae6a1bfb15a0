#include "command/era_seconds_from_day_count.h"

#include "command/calendar_in_state.h"
#include "command/parse_date.h"
#include "text/date_time_text.h"

namespace morvek::cli {

namespace {

// The day goes through its date text so that it meets every check and the
// leap-second count of a typed date.
std::int64_t era_seconds_from_day_count(ConversionState& state, CalendarMode mode, std::int32_t day_count) {
    state.calendar_mode = mode;
    date_from_era_day(state, day_count);
    return parse_date(state, detail::date_text(state.day, state.month, state.year).view());
}

}  // namespace

std::int64_t era_seconds_from_rd_julian(ConversionState& state, std::int32_t day_count) {
    return era_seconds_from_day_count(state, CalendarMode::Julian, day_count);
}

std::int64_t era_seconds_from_rd_gregorian(ConversionState& state, std::int32_t day_count) {
    return era_seconds_from_day_count(state, CalendarMode::Gregorian, day_count);
}

}  // namespace morvek::cli
