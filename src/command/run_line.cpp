// A line of text as one command, and one value of a format as a report.

#include <array>

#include "command/result_from_moment.h"
#include "command/run_command.h"

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

}  // namespace

CommandResult run_line(std::string_view line, std::string_view appended_switch, UtcClock clock) noexcept {
    return run_line(line, appended_switch, clock, CalendarSettings{});
}

CommandResult run_line(std::string_view line, std::string_view appended_switch, UtcClock clock,
                       const CalendarSettings& settings) noexcept {
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

CommandResult convert_value(FormatSpec spec, std::string_view text) noexcept {
    return convert_value(spec, text, CalendarSettings{});
}

CommandResult convert_value(FormatSpec spec, std::string_view text, const CalendarSettings& settings) noexcept {
    const Result<Moment> moment = moment_from_text(spec, text);
    CommandResult result;
    if (moment) {
        cli::ConversionState state;
        state.settings = settings;
        result = cli::result_from_moment(state, *moment);
    } else {
        result.outcome = outcome_from_status(moment.error());
    }
    result.first_argument = text;
    result.settings = settings;
    result.from_format = true;
    result.format = spec.format;
    return result;
}

}  // namespace morvek
