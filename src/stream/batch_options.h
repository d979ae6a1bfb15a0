#pragma once
// The options of the stream mode: morvek --batch [OPTIONS] [FILE...].

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "morvek/formats.h"
#include "morvek/record.h"

namespace morvek::stream {

enum class BatchFormat : std::uint8_t { report, tsv, csv, jsonl, list };

// What the input is: one command line (or value) per line, or rows of a
// CSV or TSV file with one column to convert.
enum class InputKind : std::uint8_t { lines, csv, tsv };

// At most this many fields in a record: every field once, and room for some
// under a second name.
inline constexpr std::size_t max_chosen_fields = 2 * field_count;

struct BatchOptions {
    BatchFormat format = BatchFormat::report;
    bool header = false;
    std::array<Field, max_chosen_fields> fields{};
    std::array<std::string_view, max_chosen_fields> names{};  // the header's and JSON's name of each field
    std::size_t chosen_count = 0;
    std::string_view from_switch;                // appended to every line's words; empty for none
    std::optional<FormatSpec> from_format;       // each line one value of this format
    std::span<const char* const> files;          // none: standard input; "-" also; or a one-moment run's value words
    bool guess = false;                          // a one-moment run's --guess
    YearWindow window;                           // and its --window=FROM..TO
    InputKind input = InputKind::lines;
    std::size_t column = 0;                      // --column=N, 1-based; 0 when named
    std::string_view column_name;                // --column=NAME, found in the header row
    unsigned jobs = 0;                           // --jobs=N; 0: every CPU the process may use
    CalendarSettings settings;                   // --reform= and --year-start=
    bool calendar_chosen = false;                // either was given
    bool between = false;                        // a one-moment run's --between
    std::span<const Field> chosen_fields() const { return {fields.data(), chosen_count}; }
    std::string_view name_of(std::size_t index) const { return names[index]; }
};

struct BatchOptionsRead {
    BatchOptions options;
    std::string_view problem;  // empty when the options are good
    std::string_view subject;  // the argument the problem is about
};

// What the words that are no options are: the stream's files, or the words
// of a one-moment run's value, which also takes --guess and --window=.
enum class Operands : std::uint8_t { files, value_words };

// batch_options_from_arguments: the arguments after "--batch", or all the
// arguments of a one-moment run with the stream's options.
//
//   Given:    options (--format=, --header, --fields=NAME or LABEL=NAME,...,
//             --from=, --reform=, --year-start=, --jobs=, --input=csv|tsv
//             with --column=N|NAME; --guess, --window= and --between for a
//             value) and operands in any order; "--" ends the options, "-"
//             is standard input
//   Returns:  the options and the operands (views of the arguments), or the
//             problem and the argument it is about
//   Example:  {"--format=tsv", "--from=/U", "times.txt"} -> tsv, default
//             fields, switch "/U", one file; {"--from=webkit"} -> each line
//             a WebKit time
BatchOptionsRead batch_options_from_arguments(std::span<const char* const> arguments, std::span<const char*> operands,
                                              Operands kind = Operands::files);

}  // namespace morvek::stream
