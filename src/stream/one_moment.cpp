#include "stream/one_moment.h"

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/value_text.h"
#include "morvek/command_text.h"
#include "morvek/iso8601.h"
#include "stream/batch_records.h"
#include "stream/inputs.h"
#include "stream/between.h"

namespace morvek::stream {

namespace {


// "name  2017-01-01T00:00:00Z" for each format that reads the value as a
// moment of the window, ordered by name.
int write_guesses(std::string_view value, YearWindow window) {
    const Guesses guesses = guess_formats(value, window);
    std::size_t width = 0;
    for (const Guess& guess : guesses.view()) width = std::max(width, format_info(guess.format).name.size());
    std::string text;
    for (const Guess& guess : guesses.view()) {
        const std::string_view name = format_info(guess.format).name;
        text.append(name).append(width + 2 - name.size(), ' ');
        text.append(iso8601_from_moment(guess.moment).value_or(IsoText{}).view()).append("\n");
    }
    if (!write_whole(text)) return 2;
    return guesses.count > 0 ? 0 : 1;
}

}  // namespace

bool starts_one_moment_run(std::string_view first) {
    return first.starts_with("--from=") || first.starts_with("--format=") || first.starts_with("--fields=") ||
           first == "--header" || first == "--guess" || first.starts_with("--window=") ||
           first.starts_with("--reform=") || first.starts_with("--year-start=") || first == "--between";
}

int run_one_moment(std::span<const char* const> arguments, UtcClock clock) {
    // --between (among the options, before any "--") makes a run of its own.
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view word = arguments[i] != nullptr ? arguments[i] : "";
        if (word == "--") break;
        if (word == "--between") return run_between(arguments.first(i), arguments.subspan(i + 1), clock);
    }
    std::vector<const char*> words(arguments.size());
    const bool format_given = std::any_of(arguments.begin(), arguments.end(), [](const char* argument) {
        return argument != nullptr && std::string_view{argument}.starts_with("--format=");
    });
    std::vector<const char*> with_default(arguments.begin(), arguments.end());
    // People read one value best as a list; --format= chooses another.
    if (!format_given) with_default.insert(with_default.begin(), "--format=list");
    const BatchOptionsRead read = batch_options_from_arguments(with_default, words, Operands::value_words);
    if (!read.problem.empty()) {
        complain({read.problem, ": ", read.subject});
        return 2;
    }
    const BatchOptions& options = read.options;
    std::string value;
    for (const char* word : options.files) {
        if (!value.empty()) value += ' ';
        value += word;
    }
    if (options.guess) return write_guesses(detail::trimmed(value), options.window);

    Record record;
    record.line = 1;
    record.input = value;
    record.result = options.from_format ? convert_value(*options.from_format, detail::trimmed(value), options.settings)
                                        : run_line(value, options.from_switch, clock, options.settings);
    std::string text;
    if (options.format == BatchFormat::report) {
        write_command_output(record.result, string_sink(text));
    } else {
        std::vector<char> buffer(2 * record_capacity(options));
        detail::TextBuilder out(buffer.data(), buffer.size());
        if (options.header) write_header(out, options);
        write_record(out, options, record);
        text.assign(out.view());
    }
    if (!write_whole(text)) return 2;
    return record.result.outcome == CommandOutcome::report ? 0 : 1;
}

}  // namespace morvek::stream
