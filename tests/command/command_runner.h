#pragma once
// Runs the command in-process, as the program would, with a clock that
// always reads 15.03.2024 12:34:56 UTC unless another one is given. Shared
// by the command's tests, the property tests, the stream mode's tests and
// the fuzz targets.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "expected_texts.h"
#include "morvek/command.h"
#include "morvek/command_text.h"

namespace morvek::command_testing {

inline constexpr auto fixed_clock_reading = [] { return DateTime{{2024, 3, 15}, 12, 34, 56, 0}; };
inline const UtcClock fixed_clock = utc_clock_from(fixed_clock_reading);

// The arguments as main() receives them, after the program's name.
inline std::vector<const char*> argv_of(const std::vector<const char*>& arguments) {
    std::vector<const char*> argv{"morvek"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

// What the program prints for the arguments (a null pointer is a missing text).
inline std::string program_output(const std::vector<const char*>& arguments, UtcClock clock = fixed_clock) {
    const std::vector<const char*> argv = argv_of(arguments);
    std::string output;
    write_command_output(morvek::run_command(static_cast<int>(argv.size()), argv.data(), clock), string_sink(output));
    return output;
}
inline std::string program_output(const std::vector<std::string>& arguments, UtcClock clock = fixed_clock) {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    return program_output(pointers, clock);
}

inline std::string run_command(const std::vector<const char*>& arguments) { return program_output(arguments); }

inline std::string run_command(std::initializer_list<const char*> arguments) {
    return run_command(std::vector<const char*>(arguments));
}

// "a b c" as the program was called, for failure messages.
inline std::string command_line(const std::vector<const char*>& arguments) {
    std::string line;
    for (const char* argument : arguments) {
        if (!line.empty()) line += ' ';
        line += argument;
    }
    return line;
}

using expected::era_day_zero_message;
using expected::too_big_message;
using expected::usage_text;

// The first blank-separated word after a label of the report ("E0 time:",
// "Date:", "ED:"), or empty when the output has no such line.
inline std::string reported_value(const std::string& output, std::string_view label) {
    std::size_t at = 0;
    while ((at = output.find(label, at)) != std::string::npos) {
        if (at == 0 || output[at - 1] == '\n') break;
        at += label.size();
    }
    if (at == std::string::npos) return {};
    const std::size_t begin = output.find_first_not_of(" \t", at + label.size());
    const std::size_t end = output.find_first_of(" \t\n", begin);
    return output.substr(begin, end - begin);
}

}  // namespace morvek::command_testing
