#include "cli/entry.h"

#include <optional>
#include <string_view>

#include "calendar/checked_arithmetic.h"
#include "cli/command_forms.h"
#include "cli/report.h"
#include "cli/usage.h"

namespace morvek {

namespace {

std::string_view argument_text(const char* argument) {
    return argument != nullptr ? std::string_view{argument} : std::string_view{};
}

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

// The argument texts go out as they are, whatever their length.
void print_nonexistent(OutputSink out, std::string_view first, std::optional<std::string_view> second,
                       std::string_view what) {
    write_text(out, "\n\t");
    write_text(out, first);
    write_text(out, " ");
    write_text(out, second ? *second : std::string_view{"00:00:00"});
    write_text(out, what);
}

void print_ending(OutputSink out, Ending ending, std::span<const char* const> arguments) {
    const std::string_view first = argument_text(arguments[0]);
    const std::optional<std::string_view> second =
        arguments.size() > 1 ? std::optional{argument_text(arguments[1])} : std::nullopt;
    switch (ending) {
        case Ending::none:
        case Ending::usage:
            print_usage(out);
            break;
        case Ending::too_big:
            write_text(out, "\nToo big number..\n");
            break;
        case Ending::era_day_zero:
            write_text(out, "\n\tEra Day:  0 - non-existent date. \n\tUse:\t  1 - for CE  day 1\n\t\t -1 - for BCE day 1\n");
            break;
        case Ending::nonexistent_date:
            print_nonexistent(out, first, second, " - non-existent date\n");
            break;
        case Ending::nonexistent_time:
            print_nonexistent(out, first, second, " - non-existent time\n");
            break;
    }
}

}  // namespace

int run_morvek(ConversionState& state, std::span<const char* const> arguments, UtcClock clock, OutputSink out) {
    if (arguments.empty()) {
        print_usage(out);
        return 0;
    }
    reset_for_run(state);

    std::string_view clock_tag;
    Ending ending = Ending::usage;
    switch (arguments.size()) {
        case 1:
            ending = run_one_argument_form(state, argument_text(arguments[0]), clock, clock_tag);
            break;
        case 2:
            ending = run_two_argument_form(state, argument_text(arguments[0]), argument_text(arguments[1]));
            break;
        case 3:
            ending = run_three_argument_form(state, argument_text(arguments[0]), argument_text(arguments[1]),
                                             argument_text(arguments[2]));
            break;
        default:
            break;
    }
    if (ending == Ending::none && !e6_fits(state)) ending = Ending::too_big;

    if (ending != Ending::none) {
        print_ending(out, ending, arguments);
        return 0;
    }
    print_report(state, out, arguments.size() == 1 ? ReportLayout::single_argument : ReportLayout::multi_argument,
                 clock_tag);
    return 0;
}

}  // namespace morvek
