#include "command/report.h"

#include <cstdint>

#include "command/calendar_in_state.h"
#include "command/rata_die_totals.h"
#include "command/unix_file_time_in_state.h"
#include "morvek/detail/arithmetic.h"
#include "morvek/moment.h"
#include "morvek/reform.h"

namespace morvek::cli {

namespace {

// The entry refuses every moment whose E6 value leaves 64 bits, so these
// never wrap there; computing them unsigned keeps any other caller defined.
std::int64_t scaled_sum(std::int64_t value, std::int64_t factor, std::int64_t part) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(value) * static_cast<std::uint64_t>(factor) +
                                     static_cast<std::uint64_t>(part));
}

ReportDate report_date(const ConversionState& state, CalendarMode calendar) {
    return {calendar, {state.year, state.month, state.day}};
}

// The day again in the calendar in civil use that day, which then also
// gives the Era Day.
ReportDate civil_date(ConversionState& state, std::int64_t era_day, CalendarMode civil_mode, CalendarMode typed_mode) {
    state.calendar_mode = civil_mode;
    date_from_era_day(state, era_day);
    state.calendar_mode = typed_mode;
    return report_date(state, civil_mode);
}

}  // namespace

CommandResult report_from_state(ConversionState& state, ReportLayout layout, std::string_view clock_tag) {
    CommandResult result;
    result.outcome = CommandOutcome::report;
    result.layout = layout;
    // A midnight divides exactly, so truncation is the floor here.
    DayCount era_day = detail::era_day_from_day_index(state.era_seconds / seconds_per_day);
    state.era_seconds = detail::saturating_add(state.era_seconds, state.second_of_day);
    const std::int64_t rd_julian = rd_julian_total(state.year, state.month, state.day);
    const std::int64_t rd_gregorian = rd_gregorian_total(state.year, state.month, state.day);

    result.date = report_date(state, CalendarMode::Historical);
    result.hour = state.hour;
    result.minute = state.minute;
    result.second = state.second;
    if (layout == ReportLayout::single_argument) {
        result.clock_tag = clock_tag;
    } else if (state.calendar_tag == gregorian_tag) {
        result.date.calendar = CalendarMode::Gregorian;
        era_day = rd_gregorian;
        result.has_era_date = true;
        result.era_date = civil_date(state, era_day, CalendarMode::Julian, CalendarMode::Gregorian);
    } else if (state.calendar_tag == julian_tag) {
        result.date.calendar = CalendarMode::Julian;
        era_day = rd_julian;
        result.has_era_date = true;
        result.era_date = civil_date(state, era_day, CalendarMode::Gregorian, CalendarMode::Julian);
    }

    // Only a typed historical date of the Common Era, or the clock's, shows
    // its day count; the count's calendar is the one in use that day.
    if (state.year > 0 && state.digit_count == 0 && state.calendar_mode == CalendarMode::Historical) {
        const bool julian = era_day < detail::first_gregorian_day_of(state.settings.reform);
        result.rd_line = julian ? RdLine::julian : RdLine::gregorian;
        result.rd_value = julian ? rd_julian : rd_gregorian;
    }

    result.era_day = era_day;
    result.weekday = weekday_from_era_day(era_day).value_or(Weekday::Monday);  // a report has no Era Day 0
    result.e0 = state.era_seconds;
    result.e3 = scaled_sum(result.e0, milliseconds_per_second, state.millis);
    result.e6 = scaled_sum(result.e0, microseconds_per_second, scaled_sum(state.millis, 1000, state.micros));
    // E6 splits a negative value by truncation, its floor is the instant;
    // only a FILE time, never negative, has a digit beyond it.
    const Moment at_e6 = *moment_from_e6(result.e6);
    result.moment = {at_e6.seconds, at_e6.nanosecond + state.ticks * 100};
    result.leap_seconds = leap_seconds_up_to(result.e0);
    result.unix_time = unix_time_from_era_seconds(state, result.e0);
    result.file_time = file_time_from_era_seconds(state, result.e0);
    result.settings = state.settings;
    return result;
}

}  // namespace morvek::cli
