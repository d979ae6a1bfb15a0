#include "command/run_command.h"

#include <algorithm>
#include <array>

#include "command/command_forms.h"
#include "command/report.h"
#include "morvek/detail/arithmetic.h"

namespace morvek {

namespace cli {
namespace {

// The report prints the moment in microseconds; a moment whose count does
// not fit would come out wrapped, so it ends as too big instead.
bool e6_fits(const ConversionState& state) {
    const auto moment = detail::checked_add(state.era_seconds, state.second_of_day);
    if (!moment) return false;
    const auto whole = detail::checked_multiply(*moment, microseconds_per_second);
    if (!whole) return false;
    const auto fraction = std::int64_t{state.millis} * 1000 + state.micros;
    return detail::checked_add(*whole, fraction).has_value();
}

CommandOutcome outcome_of_forms(ConversionState& state, std::span<const std::string_view> arguments, UtcClock clock,
                                std::string_view& clock_tag) {
    switch (arguments.size()) {
        case 1:
            return run_one_argument_form(state, arguments[0], clock, clock_tag);
        case 2:
            return run_two_argument_form(state, arguments[0], arguments[1]);
        case 3:
            return run_three_argument_form(state, arguments[0], arguments[1], arguments[2]);
        default:
            return CommandOutcome::usage;
    }
}

}  // namespace

CommandResult run_command(ConversionState& state, std::span<const std::string_view> arguments, UtcClock clock) {
    CommandResult result;
    if (arguments.empty()) return result;  // the usage text; nothing is reset
    reset_for_run(state);

    std::string_view clock_tag;
    CommandOutcome outcome = outcome_of_forms(state, arguments, clock, clock_tag);
    if (outcome == CommandOutcome::report && !e6_fits(state)) outcome = CommandOutcome::too_big;

    if (outcome == CommandOutcome::report) {
        result = report_from_state(
            state, arguments.size() == 1 ? ReportLayout::single_argument : ReportLayout::multi_argument, clock_tag);
    }
    if (outcome == CommandOutcome::nonexistent_date && state.month != 0) {
        result.date = {state.calendar_mode, {state.year, state.month, state.day}};
        result.date_fault = state.calendar_mode == CalendarMode::Historical && has_own_reform(state)
                                ? date_fault(state.settings.reform, result.date.date)
                                : date_fault(state.calendar_mode, result.date.date);
    }
    result.outcome = outcome;
    result.settings = state.settings;
    result.first_argument = arguments[0];
    result.has_second_argument = arguments.size() > 1;
    if (result.has_second_argument) result.second_argument = arguments[1];
    return result;
}

}  // namespace cli

CommandResult run_command(std::span<const std::string_view> arguments, UtcClock clock) noexcept {
    cli::ConversionState state;
    return cli::run_command(state, arguments, clock);
}

CommandResult run_command(std::span<const std::string_view> arguments, UtcClock clock,
                          const CalendarSettings& settings) noexcept {
    cli::ConversionState state;
    state.settings = settings;
    CommandResult result = cli::run_command(state, arguments, clock);
    result.settings = settings;  // a usage result too
    return result;
}

CommandResult run_command(int argc, const char* const* argv, UtcClock clock) noexcept {
    // Four arguments already make the usage form, so more need no texts.
    std::array<std::string_view, 4> texts;
    const std::size_t count = argc > 1 && argv != nullptr ? std::min<std::size_t>(argc - 1, texts.size()) : 0;
    for (std::size_t i = 0; i < count; ++i) texts[i] = argv[i + 1] != nullptr ? argv[i + 1] : "";
    return run_command(std::span<const std::string_view>{texts.data(), count}, clock);
}

}  // namespace morvek
