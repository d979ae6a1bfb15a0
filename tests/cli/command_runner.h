#pragma once
// Runs the command in-process, as the program would, with a clock that
// always reads 15.03.2024 12:34:56 UTC.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "command/run_command.h"
#include "expected_texts.h"

namespace morvek::cli_testing {

inline constexpr UtcClockReading fixed_clock_reading{2024, 3, 15, 12, 34, 56};

inline std::string run_command(const std::vector<const char*>& arguments) {
    ConversionState state;
    std::string output;
    const int exit_code =
        run_morvek(state, arguments, [] { return fixed_clock_reading; }, string_sink(output));
    EXPECT_EQ(exit_code, 0);
    return output;
}

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

}  // namespace morvek::cli_testing
