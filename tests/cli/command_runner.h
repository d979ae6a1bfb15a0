#pragma once
// Runs the command in-process, as the program would, with a clock that
// always reads 15.03.2024 12:34:56 UTC.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "cli/entry.h"

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

inline constexpr std::string_view too_big_message = "\nToo big number..\n";
inline constexpr std::string_view era_day_zero_message =
    "\n\tEra Day:  0 - non-existent date. \n\tUse:\t  1 - for CE  day 1\n\t\t -1 - for BCE day 1\n";

inline constexpr std::string_view usage_text =
    "\n"
    "Calculate Era Day & Time from given date, Unix or FILE time - v1.1 (2017)\n"
    "\n"
    "Usage:\n"
    "        Morvek /C                     - from current Era Time (UTC)\n"
    "        Morvek dd.mm.yyyy hh:mm:ss    - from historical Date\n"
    "        Morvek dd.mm.yyyy hh:mm:ss /J - from Julian Date\n"
    "        Morvek dd.mm.yyyy hh:mm:ss /G - from Gregorian Date\n"
    "        Morvek d+ /D                  - from Era Day (ED)\n"
    "        Morvek d+ /J                  - from RD Julian\n"
    "        Morvek d+ /G                  - from RD Gregorian\n"
    "        Morvek d+                     - from E0\n"
    "        Morvek d+ /E3                 - from E3\n"
    "        Morvek d+ /E6                 - from E6\n"
    "        Morvek d+ /U                  - from Unix time\n"
    "        Morvek d+ /F                  - from FILE time\n"
    "Examples:\n"
    "        Morvek 01.01.1970            -  Unix time 0\n"
    "        Morvek 30.06.1972 23:59:60   -  first UTC Leap Second\n"
    "        Morvek 01.01.1601            -  Windows FILE time 0\n"
    "        Morvek 01.01.01              -  CE  time 0\n"
    "        Morvek 01.01.01 00:00:01     -  CE  time 1\n"
    "        Morvek 31.12.-1 23:59:59     -  BCE time 1\n"
    "        Morvek 31.12.-1              -  BCE time 86400\n";

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
