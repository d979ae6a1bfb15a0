#include "cli/command_forms.h"

#include <cstdint>
#include <limits>

#include "calendar/checked_arithmetic.h"
#include "cli/calendar_in_state.h"
#include "cli/date_time_from_era_seconds.h"
#include "cli/date_time_text.h"
#include "cli/era_seconds_from_day_count.h"
#include "cli/era_seconds_now.h"
#include "cli/parse_date.h"
#include "cli/parse_time_of_day.h"
#include "cli/text_characters.h"
#include "cli/unix_file_time_in_state.h"
#include "timescale/unix_file_time.h"

namespace morvek {

namespace {

// The letter at a position of a switch, upper-cased; the end of the text
// reads as a letter of its own.
constexpr char switch_letter(std::string_view text, std::size_t position) {
    return position < text.size() ? ascii_upper(text[position]) : '\0';
}

constexpr std::int64_t e0_factor = 1000000;
constexpr std::int64_t e3_factor = 1000;
constexpr std::int64_t e6_factor = 1;

Ending ending_from_flags(const ConversionState& state) {
    if (state.date_nonexistent) return Ending::nonexistent_date;
    if (state.time_nonexistent) return Ending::nonexistent_time;
    return Ending::none;
}

enum class ScaledForm { e0, e3, e6 };

Ending run_scaled_form(ConversionState& state, std::string_view text, NumberShape shape, ScaledForm form) {
    const std::int64_t factor = form == ScaledForm::e0 ? e0_factor : form == ScaledForm::e3 ? e3_factor : e6_factor;
    const NumberRead read = read_scaled_number(state, text, shape, factor);
    if (read.ending != Ending::none) return read.ending;
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
    return Ending::none;
}

// The day goes to its date and back through the date parser, which counts
// the leap seconds before it as for a typed date.
Ending run_era_day_form(ConversionState& state, std::string_view text, NumberShape shape) {
    const NumberRead read = read_era_day(state, text, shape);
    if (read.ending != Ending::none) return read.ending;
    date_from_era_day(state, read.value);
    state.era_seconds = parse_date(state, date_text(state.day, state.month, state.year).view());
    return guard_era_day_result(state.era_seconds, shape);
}

enum class ForeignScale { unix_time, file_time };

Ending run_foreign_scale_form(ConversionState& state, std::string_view text, ForeignScale scale) {
    if (state.digit_count == 0) return Ending::usage;
    const auto value = integer_from_text(text);
    if (!value) return Ending::too_big;
    const std::int64_t era_seconds = scale == ForeignScale::unix_time
                                         ? era_seconds_from_unix(*value)
                                         : era_seconds_from_file_time(state, *value);
    // No date is worked out for a moment the report could not show.
    if (!checked_multiply(era_seconds, e0_factor)) return Ending::too_big;
    state.era_seconds = date_time_from_era_seconds(state, era_seconds);
    return Ending::none;
}

// A date in the named calendar, or else a day count of that calendar.
Ending run_calendar_form(ConversionState& state, std::string_view text, CalendarMode mode) {
    state.calendar_mode = mode;
    state.era_seconds = parse_date(state, text);
    if (!state.bad_format) return Ending::none;
    if (state.digit_count == 0) return Ending::usage;
    const auto value = integer_from_text(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return Ending::too_big;
    }
    if (*value == 0) return Ending::nonexistent_date;
    const auto day_count = static_cast<std::int32_t>(*value);
    state.era_seconds = mode == CalendarMode::Julian ? era_seconds_from_rd_julian(state, day_count)
                                                     : era_seconds_from_rd_gregorian(state, day_count);
    return Ending::none;
}

Ending run_switch_form(ConversionState& state, std::string_view first, NumberShape shape,
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
                    return Ending::usage;
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
            return Ending::usage;
    }
}

Ending run_date_and_time(ConversionState& state, std::string_view date, std::string_view time) {
    state.era_seconds = parse_date(state, date);
    state.second_of_day = parse_time_of_day(state, time);
    return state.bad_format ? Ending::usage : Ending::none;
}

}  // namespace

bool is_switch(std::string_view text) {
    return text.size() >= 2 && (text[0] == '-' || text[0] == '/') && !is_decimal_digit(text[1]);
}

Ending run_one_argument_form(ConversionState& state, std::string_view first, UtcClock clock,
                             std::string_view& clock_tag) {
    state.era_seconds = parse_date(state, first);
    state.second_of_day = 0;
    if (!state.bad_format) return state.date_nonexistent ? Ending::nonexistent_date : Ending::none;

    const bool current_time = first.size() >= 2 && (first[0] == '-' || first[0] == '/') &&
                              switch_letter(first, 1) == 'C';
    if (current_time) {
        state.era_seconds = era_seconds_now(state, clock);
        clock_tag = utc_clock_tag;
        return Ending::none;
    }

    const NumberScan scan = scan_number(state, first, ScanManner::strict);
    if (scan.ending != Ending::none) return scan.ending;
    const Ending ending = run_scaled_form(state, first, scan.shape, ScaledForm::e0);
    if (ending != Ending::none) return ending;
    return state.date_nonexistent ? Ending::nonexistent_date : Ending::none;
}

Ending run_two_argument_form(ConversionState& state, std::string_view first, std::string_view second) {
    state.era_seconds = 0;
    state.millis = state.micros = state.ticks = 0;
    const NumberScan scan = scan_number(state, first, ScanManner::lenient);
    const Ending ending =
        is_switch(second) ? run_switch_form(state, first, scan.shape, second) : run_date_and_time(state, first, second);
    return ending != Ending::none ? ending : ending_from_flags(state);
}

Ending run_three_argument_form(ConversionState& state, std::string_view date, std::string_view time,
                               std::string_view calendar_switch) {
    state.era_seconds = 0;
    state.millis = state.micros = state.ticks = 0;
    if (!is_switch(calendar_switch)) return Ending::usage;
    switch (switch_letter(calendar_switch, 1)) {
        case 'J':
            state.calendar_mode = CalendarMode::Julian;
            break;
        case 'G':
            state.calendar_mode = CalendarMode::Gregorian;
            break;
        default:
            return Ending::usage;
    }
    const Ending ending = run_date_and_time(state, date, time);
    return ending != Ending::none ? ending : ending_from_flags(state);
}

}  // namespace morvek
