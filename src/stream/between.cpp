#include "stream/between.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "morvek/command_text.h"
#include "morvek/record.h"
#include "stream/batch_options.h"
#include "stream/inputs.h"

namespace morvek::stream {

namespace {

void complain_about_between(std::string_view text) { complain({"--between: ", text}); }

// A side that is no moment: its status and the program's message.
std::string failure_text(std::string_view side, const CommandResult& result) {
    std::string text(side);
    text.append(": ").append(outcome_name(result.outcome));
    Record record;
    record.result = result;
    std::string message;
    write_message(record, string_sink(message));
    if (!message.empty()) text.append(": ").append(message);
    return text;
}

}  // namespace

int run_between(std::span<const char* const> options, std::span<const char* const> sides, UtcClock clock) {
    for (const char* option : options) {
        const std::string_view word = option != nullptr ? option : "";
        if (!word.starts_with("--reform=") && !word.starts_with("--year-start=")) {
            std::string problem = "only --reform= and --year-start= may come before --between: ";
            complain_about_between(problem.append(word));
            return 2;
        }
    }
    std::vector<const char*> no_operands;
    const BatchOptionsRead read = batch_options_from_arguments(options, no_operands, Operands::value_words);
    if (!read.problem.empty()) {
        std::string problem(read.problem);
        complain_about_between(problem.append(": ").append(read.subject));
        return 2;
    }
    const auto separator = std::find_if(sides.begin(), sides.end(), [](const char* word) {
        return word != nullptr && std::string_view{word} == "--";
    });
    if (separator == sides.end()) {
        complain_about_between("needs two command lines: --between WORDS -- WORDS");
        return 2;
    }
    const auto run_side = [&](auto begin, auto end) {
        std::vector<std::string_view> words;
        for (auto word = begin; word != end; ++word) words.emplace_back(*word != nullptr ? *word : "");
        return run_command(words, clock, read.options.settings);
    };
    const CommandResult first = run_side(sides.begin(), separator);
    const CommandResult second = run_side(separator + 1, sides.end());
    bool failed = false;
    for (const auto& [name, result] : {std::pair{"first", &first}, std::pair{"second", &second}}) {
        if (result->outcome == CommandOutcome::report) continue;
        complain_about_between(failure_text(name, *result));
        failed = true;
    }
    if (failed) return 1;
    const bool fraction = first.moment.nanosecond != 0 || second.moment.nanosecond != 0;
    std::string text = "days\t";
    text.append(std::to_string(days_between(first.era_day, second.era_day))).append("\nseconds\t");
    text.append(elapsed_text(second.moment - first.moment, fraction).view()).append("\n");
    return write_whole(text) ? 0 : 2;
}

}  // namespace morvek::stream
