// A line of text as one command, and one value of a format as a report.

#include <array>
#include <optional>

#include "command/result_from_moment.h"
#include "command/run_command.h"
#include "formats/value_text.h"

namespace morvek {

namespace {

constexpr bool is_word_separator(char c) noexcept { return c == ' ' || c == '\t'; }

CommandOutcome outcome_from_status(Status status) noexcept {
    switch (status) {
        case Status::nonexistent_date: return CommandOutcome::nonexistent_date;
        case Status::nonexistent_time: return CommandOutcome::nonexistent_time;
        case Status::out_of_range: return CommandOutcome::too_big;
        case Status::ok:
        case Status::bad_format: break;
    }
    return CommandOutcome::bad_value;
}

// A plain decimal number of at most 18 digits, as every number form reads it
// alike: an optional minus, no leading zero (which would make it octal).
std::optional<std::int64_t> plain_decimal(std::string_view word) noexcept {
    const bool negative = !word.empty() && word[0] == '-';
    const std::string_view digits = word.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 18 || (digits[0] == '0' && digits.size() > 1)) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// The moment the common number forms name, worked out straight: one plain
// decimal number with /U, /F, /E, /E0, or a number not below 0 with /E3 or
// /E6. Everything else (and every number the form refuses) takes the
// command's own way; the tests hold the two against each other.
std::optional<Moment> moment_of_number_form(std::string_view number, std::string_view form) noexcept {
    if (form.size() < 2 || (form[0] != '/' && form[0] != '-')) return std::nullopt;
    const std::optional<std::int64_t> value = plain_decimal(number);
    if (!value) return std::nullopt;
    const char letter = form[1] & ~0x20;  // upper case for letters
    const char scale = form.size() > 2 ? form[2] : '\0';
    std::int64_t e0 = 0;
    std::int64_t part = 0;  // nanoseconds
    if (letter == 'U') {
        e0 = detail::insert_leap_seconds(*value + unix_epoch_e0);
    } else if (letter == 'F') {
        const Result<Moment> moment = moment_from_file_time(*value);
        if (!moment) return Moment{file_epoch_e0, 0};  // a negative FILE time reads as 0
        return *moment;
    } else if (letter == 'E' && (scale == '\0' || scale == '0')) {
        e0 = *value;
    } else if (letter == 'E' && (scale == '3' || scale == '6') && *value >= 0) {
        const std::int64_t per_second = scale == '3' ? milliseconds_per_second : microseconds_per_second;
        if (scale == '3' && *value > max_e3) return std::nullopt;
        e0 = *value / per_second;
        part = *value % per_second * (nanoseconds_per_second / per_second);
    } else {
        return std::nullopt;
    }
    if (e0 < -max_e0 || e0 > max_e0) return std::nullopt;  // too big: the command says so
    return Moment{e0, static_cast<std::int32_t>(part)};
}

// The report of one number read straight, as run_line gives it for the
// words of the line and the switch. Built in the caller's object: a result
// is a few hundred bytes, and a stream makes one per line.
CommandResult number_line_result(Moment moment, std::string_view number, std::string_view appended_switch) noexcept {
    CommandResult result = cli::result_from_moment(moment);
    result.first_argument = number;
    result.second_argument = appended_switch;
    result.has_second_argument = true;
    return result;
}

}  // namespace

CommandResult run_line(std::string_view line, std::string_view appended_switch, UtcClock clock) noexcept {
    return run_line(line, appended_switch, clock, CalendarSettings{});
}

CommandResult run_line(std::string_view line, std::string_view appended_switch, UtcClock clock,
                       const CalendarSettings& settings) noexcept {
    if (!appended_switch.empty() && settings == CalendarSettings{}) {
        const std::string_view number = detail::trimmed(line);  // blanks are the word separators
        if (const std::optional<Moment> moment = moment_of_number_form(number, appended_switch)) {
            return number_line_result(*moment, number, appended_switch);
        }
    }
    // Four words already make the usage form, so the rest need no place.
    std::array<std::string_view, 4> words;
    std::size_t count = 0;
    std::size_t i = 0;
    while (count < words.size()) {
        while (i < line.size() && is_word_separator(line[i])) ++i;
        if (i == line.size()) break;
        const std::size_t begin = i;
        while (i < line.size() && !is_word_separator(line[i])) ++i;
        words[count++] = line.substr(begin, i - begin);
    }
    // A blank line stays blank: the usage form, whatever would be appended.
    if (!appended_switch.empty() && count > 0 && count < words.size()) words[count++] = appended_switch;
    return run_command(std::span<const std::string_view>{words.data(), count}, clock, settings);
}

CommandResult convert_value(FormatSpec read_as, std::string_view text) noexcept {
    return convert_value(read_as, text, CalendarSettings{});
}

CommandResult convert_value(FormatSpec read_as, std::string_view text, const CalendarSettings& settings) noexcept {
    const Result<Moment> moment = moment_from_text(read_as, text);
    CommandResult result = moment ? cli::result_from_moment(*moment, settings) : CommandResult{};
    if (!moment) result.outcome = outcome_from_status(moment.error());
    result.first_argument = text;
    result.settings = settings;
    result.from_format = true;
    result.format = read_as.format;
    result.format_bytes = read_as.bytes;
    return result;
}

}  // namespace morvek
