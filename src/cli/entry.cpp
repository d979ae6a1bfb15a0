#include "cli/entry.h"

#include <algorithm>

#include "calendar/checked_arithmetic.h"
#include "cli/command_forms.h"
#include "cli/report.h"

namespace morvek {

namespace {

// The report prints the moment in microseconds; a moment whose count does
// not fit would come out wrapped, so it ends as too big instead.
bool e6_fits(const ConversionState& state) {
    const auto moment = checked_add(state.era_seconds, state.second_of_day);
    if (!moment) return false;
    const auto whole = checked_multiply(*moment, 1000000);
    if (!whole) return false;
    const auto fraction = std::int64_t{state.millis} * 1000 + state.micros;
    return checked_add(*whole, fraction).has_value();
}

CommandOutcome outcome_from_ending(Ending ending) {
    switch (ending) {
        case Ending::none:
            return CommandOutcome::report;
        case Ending::usage:
            return CommandOutcome::usage;
        case Ending::too_big:
            return CommandOutcome::too_big;
        case Ending::era_day_zero:
            return CommandOutcome::era_day_zero;
        case Ending::nonexistent_date:
            return CommandOutcome::nonexistent_date;
        case Ending::nonexistent_time:
            return CommandOutcome::nonexistent_time;
    }
    return CommandOutcome::usage;
}

Ending ending_of_forms(ConversionState& state, std::span<const std::string_view> arguments, UtcClock clock,
                       std::string_view& clock_tag) {
    switch (arguments.size()) {
        case 1:
            return run_one_argument_form(state, arguments[0], clock, clock_tag);
        case 2:
            return run_two_argument_form(state, arguments[0], arguments[1]);
        case 3:
            return run_three_argument_form(state, arguments[0], arguments[1], arguments[2]);
        default:
            return Ending::usage;
    }
}

}  // namespace

CommandResult run_command(ConversionState& state, std::span<const std::string_view> arguments, UtcClock clock) {
    CommandResult result;
    if (arguments.empty()) return result;  // the usage text; nothing is reset
    reset_for_run(state);

    std::string_view clock_tag;
    Ending ending = ending_of_forms(state, arguments, clock, clock_tag);
    if (ending == Ending::none && !e6_fits(state)) ending = Ending::too_big;

    if (ending == Ending::none) {
        result = report_from_state(
            state, arguments.size() == 1 ? ReportLayout::single_argument : ReportLayout::multi_argument, clock_tag);
    }
    result.outcome = outcome_from_ending(ending);
    result.first_argument = arguments[0];
    result.has_second_argument = arguments.size() > 1;
    if (result.has_second_argument) result.second_argument = arguments[1];
    return result;
}

CommandResult run_command(std::span<const std::string_view> arguments, UtcClock clock) {
    ConversionState state;
    return run_command(state, arguments, clock);
}

ArgumentTexts argument_texts(std::span<const char* const> arguments) {
    ArgumentTexts texts;
    texts.count = std::min(arguments.size(), texts.texts.size());
    for (std::size_t i = 0; i < texts.count; ++i) {
        texts.texts[i] = arguments[i] != nullptr ? std::string_view{arguments[i]} : std::string_view{};
    }
    return texts;
}

int run_morvek(ConversionState& state, std::span<const char* const> arguments, UtcClock clock, TextSink out) {
    write_command_output(run_command(state, argument_texts(arguments).view(), clock), out);
    return 0;
}

}  // namespace morvek
