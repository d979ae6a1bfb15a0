#include "command/command_forms.h"

#include <cstdint>
#include <limits>

#include "command/calendar_in_state.h"
#include "command/date_time_from_era_seconds.h"
#include "command/era_seconds_from_day_count.h"
#include "command/era_seconds_now.h"
#include "command/parse_date.h"
#include "command/parse_time_of_day.h"
#include "command/unix_file_time_in_state.h"
#include "morvek/detail/arithmetic.h"
#include "morvek/moment.h"
#include "text/date_time_text.h"
#include "text/integer_from_text.h"
#include "text/text_characters.h"

namespace morvek::cli {

namespace {

// The letter at a position of a switch, upper-cased; the end of the text
// reads as a letter of its own.
constexpr char switch_letter(std::string_view text, std::size_t position) {
    return position < text.size() ? detail::ascii_upper(text[position]) : '\0';
}

// A number is read as the E6 value it stands for, so the factor by which
// the report multiplies it must keep it within 64 bits.
constexpr std::int64_t e0_factor = microseconds_per_second;
constexpr std::int64_t e3_factor = microseconds_per_second / milliseconds_per_second;
constexpr std::int64_t e6_factor = 1;

CommandOutcome outcome_from_flags(const ConversionState& state) {
    if (state.date_nonexistent) return CommandOutcome::nonexistent_date;
    if (state.time_nonexistent) return CommandOutcome::nonexistent_time;
    return CommandOutcome::report;
}

enum class ScaledForm { e0, e3, e6 };

CommandOutcome run_scaled_form(ConversionState& state, std::string_view text, NumberShape shape, ScaledForm form) {
    const std::int64_t factor = form == ScaledForm::e0 ? e0_factor : form == ScaledForm::e3 ? e3_factor : e6_factor;
    const NumberRead read = read_scaled_number(state, text, shape, factor);
    if (read.outcome != CommandOutcome::report) return read.outcome;
    switch (form) {
        case ScaledForm::e0:
            state.era_seconds = date_time_from_era_seconds(state, read.value);
            break;
        case ScaledForm::e3:
            state.era_seconds = date_time_from_e3(state, read.value);
            break;
        case ScaledForm::e6:
            state.era_seconds = date_time_from_e6(state, read.value);
            break;
    }
    return CommandOutcome::report;
}

// The day goes to its date and back through the date parser, which counts
// the leap seconds before it as for a typed date.
CommandOutcome run_era_day_form(ConversionState& state, std::string_view text, NumberShape shape) {
    const NumberRead read = read_era_day(state, text, shape);
    if (read.outcome != CommandOutcome::report) return read.outcome;
    date_from_era_day(state, read.value);
    state.era_seconds = parse_date(state, detail::date_text(state.day, state.month, state.year).view());
    return guard_era_day_result(state.era_seconds, shape);
}

enum class ForeignScale { unix_time, file_time };

CommandOutcome run_foreign_scale_form(ConversionState& state, std::string_view text, ForeignScale scale) {
    if (state.digit_count == 0) return CommandOutcome::usage;
    const auto value = detail::integer_from_text(text);
    if (!value) return CommandOutcome::too_big;
    const std::int64_t era_seconds = scale == ForeignScale::unix_time
                                         ? era_seconds_from_unix(*value)
                                         : era_seconds_from_file_time(state, *value);
    // No date is worked out for a moment the report could not show.
    if (!detail::checked_multiply(era_seconds, e0_factor)) return CommandOutcome::too_big;
    state.era_seconds = date_time_from_era_seconds(state, era_seconds);
    return CommandOutcome::report;
}

// A date in the named calendar, or else a day count of that calendar.
CommandOutcome run_calendar_form(ConversionState& state, std::string_view text, CalendarMode mode) {
    state.calendar_mode = mode;
    state.era_seconds = parse_typed_date(state, text);
    if (!state.bad_format) return CommandOutcome::report;
    if (state.digit_count == 0) return CommandOutcome::usage;
    const auto value = detail::integer_from_text(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return CommandOutcome::too_big;
    }
    if (*value == 0) return CommandOutcome::nonexistent_date;
    const auto day_count = static_cast<std::int32_t>(*value);
    state.era_seconds = mode == CalendarMode::Julian ? era_seconds_from_rd_julian(state, day_count)
                                                     : era_seconds_from_rd_gregorian(state, day_count);
    return CommandOutcome::report;
}

CommandOutcome run_switch_form(ConversionState& state, std::string_view first, NumberShape shape,
                       std::string_view number_switch) {
    switch (switch_letter(number_switch, 1)) {
        case 'D':
            return run_era_day_form(state, first, shape);
        case 'E':
            switch (switch_letter(number_switch, 2)) {
                case '\0':
                case '0':
                    return run_scaled_form(state, first, shape, ScaledForm::e0);
                case '3':
                    return run_scaled_form(state, first, shape, ScaledForm::e3);
                case '6':
                    return run_scaled_form(state, first, shape, ScaledForm::e6);
                case 'D':
                    return run_era_day_form(state, first, shape);
                default:
                    return CommandOutcome::usage;
            }
        case 'U':
            return run_foreign_scale_form(state, first, ForeignScale::unix_time);
        case 'F':
            return run_foreign_scale_form(state, first, ForeignScale::file_time);
        case 'J':
            return run_calendar_form(state, first, CalendarMode::Julian);
        case 'G':
            return run_calendar_form(state, first, CalendarMode::Gregorian);
        default:
            return CommandOutcome::usage;
    }
}

CommandOutcome run_date_and_time(ConversionState& state, std::string_view date, std::string_view time) {
    state.era_seconds = parse_typed_date(state, date);
    state.second_of_day = parse_time_of_day(state, time);
    return state.bad_format ? CommandOutcome::usage : CommandOutcome::report;
}

}  // namespace

bool is_switch(std::string_view text) {
    return text.size() >= 2 && (text[0] == '-' || text[0] == '/') && !detail::is_decimal_digit(text[1]);
}

CommandOutcome run_one_argument_form(ConversionState& state, std::string_view first, UtcClock clock,
                             std::string_view& clock_tag) {
    state.era_seconds = parse_typed_date(state, first);
    state.second_of_day = 0;
    if (!state.bad_format) return state.date_nonexistent ? CommandOutcome::nonexistent_date : CommandOutcome::report;

    const bool current_time = first.size() >= 2 && (first[0] == '-' || first[0] == '/') &&
                              switch_letter(first, 1) == 'C';
    if (current_time) {
        state.era_seconds = era_seconds_now(state, clock);
        clock_tag = utc_clock_tag;
        return CommandOutcome::report;
    }

    const NumberScan scan = scan_number(state, first, ScanManner::strict);
    if (scan.outcome != CommandOutcome::report) return scan.outcome;
    const CommandOutcome outcome = run_scaled_form(state, first, scan.shape, ScaledForm::e0);
    if (outcome != CommandOutcome::report) return outcome;
    return state.date_nonexistent ? CommandOutcome::nonexistent_date : CommandOutcome::report;
}

CommandOutcome run_two_argument_form(ConversionState& state, std::string_view first, std::string_view second) {
    state.era_seconds = 0;
    state.millis = state.micros = state.ticks = 0;
    const NumberScan scan = scan_number(state, first, ScanManner::lenient);
    const CommandOutcome outcome =
        is_switch(second) ? run_switch_form(state, first, scan.shape, second) : run_date_and_time(state, first, second);
    return outcome != CommandOutcome::report ? outcome : outcome_from_flags(state);
}

CommandOutcome run_three_argument_form(ConversionState& state, std::string_view date, std::string_view time,
                               std::string_view calendar_switch) {
    state.era_seconds = 0;
    state.millis = state.micros = state.ticks = 0;
    if (!is_switch(calendar_switch)) return CommandOutcome::usage;
    switch (switch_letter(calendar_switch, 1)) {
        case 'J':
            state.calendar_mode = CalendarMode::Julian;
            break;
        case 'G':
            state.calendar_mode = CalendarMode::Gregorian;
            break;
        default:
            return CommandOutcome::usage;
    }
    const CommandOutcome outcome = run_date_and_time(state, date, time);
    return outcome != CommandOutcome::report ? outcome : outcome_from_flags(state);
}

}  // namespace morvek::cli
