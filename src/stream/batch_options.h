#pragma once
// The options of the stream mode: morvek --batch [OPTIONS] [FILE...].

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace morvek::stream {

enum class BatchFormat : std::uint8_t { report, tsv, csv, jsonl };

// The fields a record can hold, in the order of the default set, then the
// ones chosen only by name.
enum class Field : std::uint8_t {
    line, input, status, message, date, time, calendar, era_date, rd_julian, rd_gregorian, era_day, weekday,
    e0, e3, e6, leap_seconds, unix_time, file_time,
    e0_hex, e3_hex, e6_hex, unix_hex, file_time_hex, jdn, mjd, iso,
};
inline constexpr std::size_t known_field_count = static_cast<std::size_t>(Field::iso) + 1;
inline constexpr std::size_t default_field_count = static_cast<std::size_t>(Field::file_time) + 1;

// The names the records and --fields use, indexed by Field.
inline constexpr std::array<std::string_view, known_field_count> field_names = {
    "line", "input", "status", "message", "date", "time", "calendar", "era_date", "rd_julian", "rd_gregorian",
    "era_day", "weekday", "e0", "e3", "e6", "leap_seconds", "unix", "file_time",
    "e0_hex", "e3_hex", "e6_hex", "unix_hex", "file_time_hex", "jdn", "mjd", "iso",
};

struct BatchOptions {
    BatchFormat format = BatchFormat::report;
    bool header = false;
    std::array<Field, known_field_count> fields{};
    std::size_t chosen_count = 0;
    std::string_view from_switch;                // appended to every line's words; empty for none
    std::span<const char* const> files;          // none: standard input; "-" also
    std::span<const Field> chosen_fields() const { return {fields.data(), chosen_count}; }
};

struct BatchOptionsRead {
    BatchOptions options;
    std::string_view problem;  // empty when the options are good
    std::string_view subject;  // the argument the problem is about
};

// batch_options_from_arguments: the arguments after "--batch".
//
//   Given:    options (--format=, --header, --fields=, --from=) and file
//             names in any order; "--" ends the options, "-" is standard input
//   Returns:  the options and the files (views of the arguments), or the
//             problem and the argument it is about
//   Example:  {"--format=tsv", "--from=/U", "times.txt"} -> tsv, default
//             fields, switch "/U", one file
BatchOptionsRead batch_options_from_arguments(std::span<const char* const> arguments, std::span<const char*> files);

}  // namespace morvek::stream
