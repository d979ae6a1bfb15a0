// What the command forms made of their arguments, for front ends that name
// the scale of a number and mark the argument that was not read. Each check
// follows the reader it explains: parse_date, parse_time_of_day, the switch
// forms and scan_number.

#include <array>

#include "command/command_forms.h"
#include "command/conversion_state.h"
#include "command/decimal_field.h"
#include "command/numeric_arguments.h"
#include "command/parse_date.h"
#include "command/separated_field.h"
#include "morvek/command.h"
#include "text/integer_from_text.h"
#include "text/text_characters.h"

namespace morvek {

namespace {

using enum ArgumentFault;

constexpr char letter_at(std::string_view text, std::size_t position) {
    return position < text.size() ? detail::ascii_upper(text[position]) : '\0';
}

constexpr bool all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (!detail::is_decimal_digit(c)) return false;
    }
    return true;
}

constexpr std::string_view without_sign(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    return text;
}

// The date text's fields in the order parse_date reads them: two characters
// of day, two of month, ten of year.
ArgumentFault date_text_fault(std::string_view text) {
    const auto day = cli::separated_field(text, '.', 2);
    if (!day) return not_a_form;
    const std::int64_t day_value = cli::value_from_decimal_field(day->field);
    if (day_value < 1 || day_value > 31) return day_out_of_range;
    const auto month = cli::separated_field(day->rest, '.', 2);
    if (!month) return not_a_form;
    const std::int64_t month_value = cli::value_from_decimal_field(month->field);
    if (month_value < 1 || month_value > 12) return month_out_of_range;
    if (month->rest.size() > 10) return year_too_long;
    return none;
}

// The time text's fields in the order parse_time_of_day reads them.
ArgumentFault time_text_fault(std::string_view text) {
    const auto hour = cli::separated_field(text, ':', 2);
    if (!hour) return not_a_time;
    const std::int64_t hour_value = cli::value_from_decimal_field(hour->field);
    if (hour_value < 0 || hour_value > 23) return hour_out_of_range;
    const auto minute = cli::separated_field(hour->rest, ':', 2);
    if (!minute) return not_a_time;
    const std::int64_t minute_value = cli::value_from_decimal_field(minute->field);
    if (minute_value < 0 || minute_value > 59) return minute_out_of_range;
    if (minute->rest.size() > 2) return not_a_time;
    const std::int64_t second_value = cli::value_from_decimal_field(minute->rest);
    if (second_value < 0 || second_value > 60) return second_out_of_range;
    return none;
}

// A text that is nearly a number: "1483228800.5", "1,483,228,800", or a
// time of day where a number or date was wanted.
ArgumentFault number_text_fault(std::string_view text) {
    const std::string_view digits = without_sign(text);
    const std::size_t point = digits.find('.');
    if (point != std::string_view::npos && digits.find('.', point + 1) == std::string_view::npos) {
        const std::string_view whole = digits.substr(0, point);
        const std::string_view fraction_digits = digits.substr(point + 1);
        if ((whole.empty() || all_digits(whole)) && all_digits(fraction_digits)) return fraction;
        if (all_digits(whole) && fraction_digits.empty()) return fraction;
    }
    bool grouped = !digits.empty() && detail::is_decimal_digit(digits.front()) &&
                   detail::is_decimal_digit(digits.back());
    bool separator_seen = false;
    for (const char c : digits) {
        if (c == ',' || c == '\'' || c == '_') {
            separator_seen = true;
        } else if (!detail::is_decimal_digit(c)) {
            grouped = false;
        }
    }
    if (grouped && separator_seen) return grouped_digits;
    // An hour and its colon: the start of a time of day, complete or not.
    if (cli::separated_field(text, ':', 2)) return time_without_date;
    return none;
}

// A first argument that should have been a date or a number.
ArgumentFault date_or_number_fault(std::string_view text) {
    if (const ArgumentFault near_number = number_text_fault(text); near_number != none) return near_number;
    if (const ArgumentFault date = date_text_fault(text); date != none) return date;
    return not_a_form;
}

bool is_number(std::string_view text) {
    cli::ConversionState state;
    return cli::scan_number(state, text, cli::ScanManner::strict).outcome == CommandOutcome::report;
}

bool is_date(std::string_view text, CalendarMode mode) {
    cli::ConversionState state;
    state.calendar_mode = mode;
    (void)cli::parse_date(state, text);
    return !state.bad_format;
}

// The scale a switch names after a number, as run_switch_form chooses it;
// nullopt for a switch of no number form.
std::optional<Format> scale_of_switch(std::string_view number_switch, std::string_view first) {
    switch (letter_at(number_switch, 1)) {
        case 'D': return Format::era_day;
        case 'E':
            switch (letter_at(number_switch, 2)) {
                case '\0':
                case '0': return Format::e0;
                case '3': return Format::e3;
                case '6': return Format::e6;
                case 'D': return Format::era_day;
                default: return std::nullopt;
            }
        case 'U': return Format::unix_time;
        case 'F': return Format::file_time;
        case 'J': return is_date(first, CalendarMode::Julian) ? std::nullopt : std::optional{Format::rd_julian};
        case 'G': return is_date(first, CalendarMode::Gregorian) ? std::nullopt : std::optional{Format::rd_gregorian};
        default: return std::nullopt;
    }
}

// As integer_from_text chooses its base: a 0 after the sign and before a
// digit makes the number octal.
bool read_as_octal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && detail::is_blank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    return i + 1 < text.size() && text[i] == '0' && detail::is_decimal_digit(text[i + 1]);
}

// The calendar of a date form, as the forms choose it.
std::optional<CalendarMode> calendar_of_date_form(std::span<const std::string_view> arguments) {
    const auto mode_of = [](std::string_view calendar_switch) -> std::optional<CalendarMode> {
        if (!cli::is_switch(calendar_switch)) return std::nullopt;
        switch (letter_at(calendar_switch, 1)) {
            case 'J': return CalendarMode::Julian;
            case 'G': return CalendarMode::Gregorian;
            default: return std::nullopt;
        }
    };
    const std::string_view first = arguments[0];
    std::optional<CalendarMode> mode = CalendarMode::Historical;
    if (arguments.size() == 3) {
        mode = mode_of(arguments[2]);
    } else if (arguments.size() == 2 && cli::is_switch(arguments[1])) {
        mode = mode_of(arguments[1]);
    }
    if (!mode || !is_date(first, *mode)) return std::nullopt;
    return mode;
}

void read_scale(std::span<const std::string_view> arguments, CommandReading& reading) {
    const std::string_view first = arguments[0];
    reading.calendar = calendar_of_date_form(arguments);
    if (arguments.size() == 1) {
        if (!is_date(first, CalendarMode::Historical) && !cli::is_switch(first) && is_number(first)) {
            reading.scale = Format::e0;
        }
    } else if (arguments.size() == 2 && cli::is_switch(arguments[1])) {
        reading.scale = scale_of_switch(arguments[1], first);
    }
    if (!reading.scale) return;
    reading.number = detail::integer_from_text(first).value_or(0);
    reading.octal = read_as_octal(first);
}

struct Fault {
    ArgumentFault fault;
    std::size_t argument;
};

// A date and its time of day: the date is read first, then the time.
Fault date_and_time_fault(std::string_view date, std::string_view time) {
    if (!is_date(date, CalendarMode::Historical)) {
        // After a number the forms take a switch, not a time.
        if (is_number(date) && time_text_fault(time) != none) return {unknown_switch, 1};
        return {date_or_number_fault(date), 0};
    }
    const ArgumentFault time_fault = time_text_fault(time);
    return {time_fault == none ? not_a_form : time_fault, 1};
}

Fault usage_fault(std::span<const std::string_view> arguments) {
    const std::string_view first = arguments[0];
    if (arguments.size() == 1) {
        if (cli::is_switch(first)) return {unknown_switch, 0};
        return {date_or_number_fault(first), 0};
    }
    if (arguments.size() == 3) {
        const std::string_view calendar_switch = arguments[2];
        const char letter = letter_at(calendar_switch, 1);
        if (!cli::is_switch(calendar_switch) || (letter != 'J' && letter != 'G')) return {calendar_switch_needed, 2};
        return date_and_time_fault(first, arguments[1]);
    }
    const std::string_view second = arguments[1];
    if (!cli::is_switch(second)) return date_and_time_fault(first, second);
    const char letter = letter_at(second, 1);
    if (letter == 'J' || letter == 'G') return {date_or_number_fault(first), 0};
    if (!scale_of_switch(second, first)) return {unknown_switch, 1};
    const ArgumentFault near_number = number_text_fault(first);
    return {near_number != none ? near_number : not_a_number, 0};
}

}  // namespace

std::string_view argument_fault_name(ArgumentFault fault) noexcept {
    static constexpr std::array<std::string_view, 22> names = {
        "none", "no-arguments", "too-many-arguments", "not-a-form", "day-out-of-range", "month-out-of-range",
        "year-too-long", "not-a-time", "hour-out-of-range", "minute-out-of-range", "second-out-of-range",
        "time-without-date", "fraction", "grouped-digits", "unknown-switch", "not-a-number",
        "calendar-switch-needed", "nonexistent-date", "era-day-zero", "second-60-not-at-23-59",
        "no-leap-second-that-day", "too-big",
    };
    const auto index = static_cast<std::size_t>(fault);
    return index < names.size() ? names[index] : std::string_view{};
}

CommandReading command_reading(std::span<const std::string_view> arguments, const CommandResult& result) noexcept {
    CommandReading reading;
    if (arguments.empty()) {
        reading.fault = no_arguments;
        return reading;
    }
    if (arguments.size() > 3) {
        reading.fault = too_many_arguments;
        reading.argument = 3;
        return reading;
    }
    read_scale(arguments, reading);
    Fault fault{none, 0};
    switch (result.outcome) {
        case CommandOutcome::report: break;
        case CommandOutcome::usage: fault = usage_fault(arguments); break;
        case CommandOutcome::nonexistent_date: fault = {nonexistent_date, 0}; break;
        case CommandOutcome::era_day_zero: fault = {era_day_zero, 0}; break;
        case CommandOutcome::too_big: fault = {too_big, 0}; break;
        case CommandOutcome::nonexistent_time: {
            const auto hour = cli::separated_field(arguments[1], ':', 2);
            const auto minute = hour ? cli::separated_field(hour->rest, ':', 2) : std::nullopt;
            const bool last_minute = minute && cli::value_from_decimal_field(hour->field) == 23 &&
                                     cli::value_from_decimal_field(minute->field) == 59;
            fault = {last_minute ? no_leap_second_that_day : second_60_not_at_23_59, 1};
            break;
        }
        case CommandOutcome::too_long:
        case CommandOutcome::bad_value:
        case CommandOutcome::no_column: fault = {not_a_form, 0}; break;
    }
    reading.fault = fault.fault;
    reading.argument = fault.argument;
    return reading;
}

}  // namespace morvek
